#pragma once
#include "foundation/text/LCharSource.h"

class LStream;

// A character source that reads UTF-8 text from a stream, after a byte-order mark
// (EF BB BF) when one starts it. NUL bytes are delivered like any other.
class CUTF8TextReader : public LCharSource {
public:
    explicit CUTF8TextReader(LStream* stream);

    bool ReadByte(char& out) override;
    // Steps the stream back one byte (never before its start).
    void Unread() override;
    uint32_t Read(void* buffer, uint32_t n) override;

private:
    LStream* fStream;
};
