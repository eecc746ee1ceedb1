#pragma once
#include "foundation/streams/LStream.h"

class LByteBuffer;

// A stream over memory: either a growable LByteBuffer that it enlarges as it is written (and
// trims to the bytes written when it goes), or a fixed block of the caller's. The length is
// the high-water mark: the bytes that can be read. Bytes between the old length and a write
// or end set past it read as zeros.
class CMemStream : public LStream {
public:
    // Writes into `buffer` and grows it; reading sees only what was written.
    explicit CMemStream(LByteBuffer& buffer);
    // A read-only stream over `size` bytes of `data`.
    CMemStream(const void* data, uint32_t size);
    // A stream over a fixed block of the caller's with the given mode.
    CMemStream(void* data, uint32_t size, uint32_t mode);
    ~CMemStream() override;

    // Makes this a stream over a fixed block: capacity = size; length = size, or 0 for null data.
    void InitBuffer(void* data, uint32_t size);

    void SetPosition(uint64_t newPosition) override;
    void SetEOF() override;
    void Write(const void* data, uint64_t count) override;
    void Read(void* buffer, uint64_t* count) override;

    uint64_t Length() const { return fLength; }
    const uint8_t* Data() const { return fData; }

private:
    [[nodiscard]] bool GrowFor(uint64_t end);
    void TakeBufferFields();
    void ZeroGapTo(uint64_t end);

    uint32_t fCapacity = 0;
    uint64_t fLength = 0;
    uint8_t* fData = nullptr;
    LByteBuffer* fGrowable = nullptr;
};
