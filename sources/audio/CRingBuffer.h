#pragma once
#include <atomic>
#include <cstdint>

// A byte ring of 2^n bytes over storage it does not own. Indexes run freely and wrap at 2^32;
// a byte's place is index & mask and the fill is writeIndex - readIndex. One writer thread may
// move the write index while one reader thread moves the read index: each side publishes its
// index with release order and reads the other's with acquire order.
class CRingBuffer {
public:
    // One region of a read or write: up to two per request, the second at the ring's start.
    struct Regions {
        uint8_t* first = nullptr;
        uint32_t firstCount = 0;
        uint8_t* second = nullptr;
        uint32_t secondCount = 0;
        uint32_t Total() const { return firstCount + secondCount; }
    };

    CRingBuffer() = default;
    CRingBuffer(const CRingBuffer&) = delete;
    CRingBuffer& operator=(const CRingBuffer&) = delete;

    // Uses 2^log2Size bytes at data (log2Size 0..31, larger counts as 31); both indexes start at 0.
    void Init(uint8_t* data, uint32_t log2Size);
    // Both indexes back to 0; only while neither side runs.
    void Reset();

    uint32_t Size() const { return fMask + 1; }
    uint32_t Mask() const { return fMask; }
    uint8_t* Data() const { return fData; }
    uint32_t ReadIndex() const { return fReadIndex.load(std::memory_order_acquire); }
    uint32_t WriteIndex() const { return fWriteIndex.load(std::memory_order_acquire); }
    uint32_t Fill() const { return WriteIndex() - ReadIndex(); }
    uint32_t Free() const { return Size() - Fill(); }

    void AdvanceRead(uint32_t count) { fReadIndex.store(ReadIndex() + count, std::memory_order_release); }
    void AdvanceWrite(uint32_t count) { fWriteIndex.store(WriteIndex() + count, std::memory_order_release); }
    // Drops everything pending: the reader catches up with the writer.
    void DropPending() { fReadIndex.store(WriteIndex(), std::memory_order_release); }

    void PutByte(uint8_t byte);
    // Copies count bytes in (wrapping at the end) and advances the write index. The caller
    // makes sure count fits the free space.
    void Write(const void* bytes, uint32_t count);
    // Copies count bytes out from the read index without moving it (wrapping at the end).
    void Peek(void* out, uint32_t count) const;

    // Up to count bytes starting at the write or read index: the first region runs to the
    // buffer's end at most, the second holds the rest from the buffer's start. The regions are
    // bounded by count only: callers bound count by Free() or Fill() themselves.
    Regions GetWriteRegions(uint32_t count) const;
    Regions GetReadRegions(uint32_t count) const;

private:
    Regions RegionsAt(uint32_t index, uint32_t count) const;

    uint32_t fMask = 0;
    std::atomic<uint32_t> fReadIndex{0};
    std::atomic<uint32_t> fWriteIndex{0};
    uint8_t* fData = nullptr;
};
