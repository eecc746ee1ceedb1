#include "foundation/streams/CIffChunk.h"
#include "foundation/streams/CMemStream.h"
#include "foundation/streams/LStream.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LStringRef.h"
#include "foundation/text/TextTemplate.h"

#include <algorithm>
#include <cstring>

namespace {

void PutU32(uint8_t* bytes, uint32_t value)
{
    bytes[0] = uint8_t(value >> 24);
    bytes[1] = uint8_t(value >> 16);
    bytes[2] = uint8_t(value >> 8);
    bytes[3] = uint8_t(value);
}

uint32_t GetU32(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

uint64_t RoundUpToEven(uint64_t value) { return value + (value & 1); }

} // namespace

void CIffChunk::BeginWrite(LStream* stream, uint32_t chunkType)
{
    fStream = stream;
    fStart = stream->position;
    type = chunkType;
    uint8_t header[8] = {};
    PutU32(header, chunkType);
    stream->Write(header, sizeof header);
}

void CIffChunk::BeginSub(CIffChunk& parent, uint32_t chunkType) { BeginWrite(parent.fStream, chunkType); }

void CIffChunk::EndWrite()
{
    const uint64_t end = fStream->position;
    const uint64_t length = end - fStart;
    if (length - 8 > UINT32_MAX) {
        // The size field cannot say it: the chunk would be read back wrong.
        fStream->SetError(LStream::kWriteError);
        return;
    }
    uint8_t size[4];
    PutU32(size, uint32_t(length - 8));
    fStream->SetPosition(fStart + 4);
    fStream->Write(size, sizeof size);
    fStream->SetPosition(end);
    if (length & 1) {
        const uint8_t pad = 0;
        fStream->Write(&pad, 1);
    }
}

void CIffChunk::WriteU8(uint8_t value) { fStream->Write(&value, 1); }

void CIffChunk::WriteU32(uint32_t value)
{
    uint8_t bytes[4];
    PutU32(bytes, value);
    fStream->Write(bytes, sizeof bytes);
}

void CIffChunk::WriteBytes(const void* data, uint64_t count) { fStream->Write(data, count); }

void CIffChunk::WriteString(const char* text) { WriteText(fStream, text, text ? std::strlen(text) : 0); }

void CIffChunk::WriteText(LStream* stream, const char* text, uint64_t length)
{
    static const char kLineFeed = '\n';
    uint64_t runStart = 0;
    for (uint64_t i = 0; i < length; ++i) {
        if (text[i] != '\r')
            continue;
        stream->Write(text + runStart, i - runStart);
        stream->Write(&kLineFeed, 1);
        if (i + 1 < length && text[i + 1] == '\n')
            ++i;
        runStart = i + 1;
    }
    if (runStart < length)
        stream->Write(text + runStart, length - runStart);
    const char nul = 0;
    stream->Write(&nul, 1);
}

bool CIffChunk::ReadExact(void* buffer, uint64_t count)
{
    uint64_t got = count;
    fStream->Read(buffer, &got);
    return got == count;
}

bool CIffChunk::ReadHeader(uint32_t* size)
{
    uint8_t header[8];
    if (!ReadExact(header, sizeof header))
        return false;
    type = GetU32(header);
    *size = GetU32(header + 4);
    return true;
}

void CIffChunk::Open(LStream* stream)
{
    fStream = stream;
    fDataEnd = fNext = stream->position;
    type = 0;
    uint32_t size = 0;
    if (!ReadHeader(&size))
        return;
    const uint64_t data = stream->position;
    fDataEnd = data + size;
    fNext = data + RoundUpToEven(size);
}

void CIffChunk::OpenSub(CIffChunk& parent)
{
    fStream = parent.fStream;
    fDataEnd = fNext = fStream->position;
    type = 0;
    if (fStream->position + 8 > parent.fDataEnd)
        return;
    uint32_t size = 0;
    if (!ReadHeader(&size))
        return;
    const uint64_t data = fStream->position;
    // A child that claims more than its parent holds is clipped to the parent.
    fDataEnd = std::min(parent.fDataEnd, data + size);
    fNext = std::min(parent.fDataEnd, data + RoundUpToEven(size));
}

void CIffChunk::Close() { fStream->SetPosition(fNext); }

bool CIffChunk::ReadU8(uint32_t* value)
{
    uint8_t byte = 0;
    if (fStream->position + 1 <= fDataEnd && ReadExact(&byte, 1)) {
        *value = byte;
        return true;
    }
    fStream->SetPosition(fDataEnd);
    return false;
}

bool CIffChunk::ReadU32(uint32_t* value)
{
    uint8_t bytes[4];
    if (fStream->position + 4 <= fDataEnd && ReadExact(bytes, 4)) {
        *value = GetU32(bytes);
        return true;
    }
    fStream->SetPosition(fDataEnd);
    return false;
}

bool CIffChunk::ReadString(LStringRef* value)
{
    LByteBuffer text(128);
    bool complete = false;
    {
        CMemStream collected(text);
        while (fStream->position < fDataEnd) {
            uint8_t byte = 0;
            if (!ReadExact(&byte, 1))
                break;
            collected.Write(&byte, 1);
            if (byte == 0) {
                complete = collected.Error() == LStream::kNoError;
                break;
            }
        }
    }
    if (!complete)
        return false;
    LStringRef read(reinterpret_cast<const char*>(text.Data()));
    *value = NormalizeLineEnds(read);
    return true;
}
