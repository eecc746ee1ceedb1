#pragma once
#include "foundation/streams/CForkStream.h"
#include "foundation/streams/CHeapBuffer.h"

// A fork stream that gathers small transfers in a 512-byte buffer aligned to 512-byte
// blocks; whole aligned blocks go to the fork directly. Buffered writes reach the file on a
// flush: a seek out of the buffer, a size change, or destruction.
class CBufferedForkStream : public CForkStream {
public:
    static constexpr uint32_t kBlockSize = 512;

    CBufferedForkStream(std::string_view path, uint32_t mode);
    ~CBufferedForkStream() override;

    void SetPosition(uint64_t newPosition) override;
    void SetEOF() override;
    void Write(const void* data, uint64_t count) override;
    void Read(void* buffer, uint64_t* count) override;
    uint64_t GetSize() override;

private:
    void Flush();
    void Fill();
    // Keeps the buffer when the position lies inside it, else empties it at the position.
    void KeepBufferIfCovering();
    uint64_t Offset() const { return position - fBufferStart; }

    uint64_t fBufferStart = 0;
    uint32_t fValidCount = 0;
    CHeapBuffer fBuffer{kBlockSize};
    bool fDirty = false;
};
