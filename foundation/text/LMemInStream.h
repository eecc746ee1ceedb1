#pragma once
#include "foundation/text/LCharSource.h"

// A character source over a block of bytes that the caller keeps alive. A NUL byte ends the
// input for byte reads (it is not consumed, so the source stays stopped there); block reads
// copy past it.
class LMemInStream : public LCharSource {
public:
    LMemInStream() { Init(nullptr, 0); }
    LMemInStream(const void* data, uint32_t length) { Init(data, length); }

    // Points the source at a new block; a null block or a length of 0 reads as empty.
    void Init(const void* data, uint32_t length);

    bool ReadByte(char& out) override;
    void Unread() override;
    uint32_t Read(void* buffer, uint32_t n) override;

    // Bytes between the cursor and the end of the block.
    uint32_t Remaining() const { return static_cast<uint32_t>(fEnd - fCursor); }

private:
    const char* fBegin = nullptr;
    const char* fEnd = nullptr;
    const char* fCursor = nullptr;
};
