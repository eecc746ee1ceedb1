#include "sources/audio/CRiffChunk.h"

#include "foundation/streams/LStream.h"

#include <algorithm>
#include <limits>

namespace {

constexpr uint64_t kNoLimit = std::numeric_limits<uint64_t>::max();

uint32_t BigEndian32(const uint8_t* b)
{
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}

uint32_t LittleEndian32(const uint8_t* b)
{
    return uint32_t(b[3]) << 24 | uint32_t(b[2]) << 16 | uint32_t(b[1]) << 8 | b[0];
}

} // namespace

void CRiffChunk::Open(LStream* stream)
{
    ReadHeader(stream, kNoLimit);
}

void CRiffChunk::OpenChild(const CRiffChunk& parent)
{
    LStream* stream = parent.fStream;
    fStream = stream;
    fId = 0;
    const uint64_t at = stream ? stream->position : 0;
    fStart = fEnd = fNext = at;
    if (!stream || at > parent.fEnd || parent.fEnd - at < 8)
        return;
    ReadHeader(stream, parent.fEnd);
}

void CRiffChunk::ReadHeader(LStream* stream, uint64_t limit)
{
    fStream = stream;
    fId = 0;
    const uint64_t at = stream ? stream->position : 0;
    fStart = fEnd = fNext = at;
    if (!stream)
        return;
    uint8_t header[8];
    uint64_t count = sizeof header;
    stream->Read(header, &count);
    if (count < sizeof header) {
        stream->SetPosition(at);
        return;
    }
    const uint64_t size = LittleEndian32(header + 4);
    fId = BigEndian32(header);
    fStart = stream->position;
    const uint64_t room = kNoLimit - fStart;
    fEnd = fStart + std::min(size, room);
    const uint64_t padded = size + (size & 1);
    fNext = fStart + std::min(padded, room);
    fEnd = std::min(fEnd, limit);
    fNext = std::min(fNext, limit);
}

void CRiffChunk::SkipToNext()
{
    if (fStream)
        fStream->SetPosition(fNext);
}

bool CRiffChunk::ReadFourCC(uint32_t& code)
{
    uint8_t bytes[4];
    uint64_t count = sizeof bytes;
    if (!Read(bytes, count))
        return false;
    code = BigEndian32(bytes);
    return true;
}

bool CRiffChunk::Read(void* buffer, uint64_t& count)
{
    const uint64_t wanted = count;
    count = 0;
    if (!fStream)
        return wanted == 0;
    const uint64_t at = fStream->position;
    const uint64_t left = at < fEnd ? fEnd - at : 0;
    uint64_t n = std::min(wanted, left);
    if (n)
        fStream->Read(buffer, &n);
    count = n;
    return count == wanted;
}
