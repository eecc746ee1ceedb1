#include "foundation/streams/CUTF8TextReader.h"
#include "foundation/streams/LStream.h"

CUTF8TextReader::CUTF8TextReader(LStream* stream) : fStream(stream)
{
    const uint64_t start = stream->position;
    unsigned char mark[3] = {};
    uint64_t got = sizeof mark;
    stream->Read(mark, &got);
    if (got != 3 || mark[0] != 0xEF || mark[1] != 0xBB || mark[2] != 0xBF)
        stream->SetPosition(start);
}

bool CUTF8TextReader::ReadByte(char& out)
{
    uint64_t got = 1;
    fStream->Read(&out, &got);
    return got == 1;
}

void CUTF8TextReader::Unread()
{
    if (fStream->position > 0)
        fStream->SetPosition(fStream->position - 1);
}

uint32_t CUTF8TextReader::Read(void* buffer, uint32_t n)
{
    uint64_t got = n;
    fStream->Read(buffer, &got);
    return uint32_t(got);
}
