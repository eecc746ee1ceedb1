#include "sources/audio/CRiffWriter.h"

#include "foundation/streams/LStream.h"
#include "sources/audio/CRiffChunk.h"

void PutLE16(uint8_t* at, uint32_t value)
{
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
}

void PutLE32(uint8_t* at, uint32_t value)
{
    PutLE16(at, value);
    PutLE16(at + 2, value >> 16);
}

void CRiffWriter::BeginRiff(LStream* stream)
{
    BeginChunk(stream, RiffId("RIFF"));
}

void CRiffWriter::BeginChunk(LStream* stream, uint32_t id)
{
    fStream = stream;
    fStart = stream ? stream->position : 0;
    WriteFourCC(id);
    uint8_t size[4];
    PutLE32(size, kOpenSize);
    Write(size, sizeof size);
}

void CRiffWriter::EndChunk()
{
    if (!fStream)
        return;
    const uint64_t end = fStream->position;
    if (end < fStart + 8)
        return;
    const uint64_t size = end - fStart - 8;
    if (size < kOpenSize) {
        uint8_t field[4];
        PutLE32(field, uint32_t(size));
        fStream->SetPosition(fStart + 4);
        fStream->Write(field, sizeof field);
        fStream->SetPosition(end);
    }
    if (size & 1) {
        const uint8_t pad = 0;
        fStream->Write(&pad, 1);
    }
}

void CRiffWriter::WriteFourCC(uint32_t code)
{
    const uint8_t bytes[4] = {uint8_t(code >> 24), uint8_t(code >> 16), uint8_t(code >> 8), uint8_t(code)};
    Write(bytes, sizeof bytes);
}

void CRiffWriter::Write(const void* bytes, uint64_t count)
{
    if (fStream && count)
        fStream->Write(bytes, count);
}
