#pragma once
#include <cstdint>
#include <memory>

// An owned block of bytes of a fixed size. A size of 0, or memory that cannot be had, gives
// no block and size 0.
class CByteArray {
public:
    explicit CByteArray(uint32_t size);
    virtual ~CByteArray() = default;
    CByteArray(const CByteArray&) = delete;
    CByteArray& operator=(const CByteArray&) = delete;

    uint32_t Size() const { return fSize; }
    uint8_t* Bytes() { return fBytes.get(); }
    const uint8_t* Bytes() const { return fBytes.get(); }

private:
    uint32_t fSize = 0;
    std::unique_ptr<uint8_t[]> fBytes;
};
