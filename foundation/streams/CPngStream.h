#pragma once
#include <cstdint>

class LStream;

// Walks the chunks of PNG data on a stream: the 8-byte signature, then chunks of
// {length, type, data, CRC} (big-endian; the CRC is not checked). After ReadChunk answers
// true the stream stands at the chunk's data, which the caller reads itself.
class CPngStream {
public:
    explicit CPngStream(LStream* stream);

    bool ReadChunk();
    uint32_t ChunkLength() const { return fChunkLength; }
    uint32_t ChunkType() const { return fChunkType; }
    bool Ended() const { return fEnded; }

private:
    LStream* fStream;
    uint64_t fNext = 0;
    uint32_t fChunkLength = 0;
    uint32_t fChunkType = 0;
    bool fEnded = false;
};
