#pragma once
#include <cstdint>
#include <memory>

// A fixed block of bytes on the heap, freed with its owner.
class CHeapBuffer {
public:
    explicit CHeapBuffer(uint64_t size) : fSize(size), fData(std::make_unique<uint8_t[]>(size)) {}
    uint64_t Size() const { return fSize; }
    uint8_t* Data() { return fData.get(); }
    const uint8_t* Data() const { return fData.get(); }

private:
    uint64_t fSize;
    std::unique_ptr<uint8_t[]> fData;
};
