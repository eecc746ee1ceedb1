#include "foundation/streams/CPngStream.h"
#include "foundation/streams/LStream.h"

#include <cstring>

namespace {

constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t GetU32(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

} // namespace

CPngStream::CPngStream(LStream* stream) : fStream(stream)
{
    uint8_t signature[8];
    uint64_t got = sizeof signature;
    stream->Read(signature, &got);
    if (got != sizeof signature || std::memcmp(signature, kSignature, sizeof signature) != 0)
        fEnded = true;
    fNext = stream->position;
}

bool CPngStream::ReadChunk()
{
    if (fEnded)
        return false;
    fStream->SetPosition(fNext);
    uint8_t header[8];
    uint64_t got = sizeof header;
    fStream->Read(header, &got);
    if (got != sizeof header) {
        fEnded = true;
        return false;
    }
    fChunkLength = GetU32(header);
    fChunkType = GetU32(header + 4);
    fNext = fStream->position + uint64_t(fChunkLength) + 4;
    return true;
}
