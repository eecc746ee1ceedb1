#pragma once
#include <cstdint>

class LStream;

// A four-character code from its text, first character in the most significant byte.
constexpr uint32_t RiffId(const char (&text)[5])
{
    return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 | uint32_t(uint8_t(text[2])) << 8
        | uint8_t(text[3]);
}

// Reads one RIFF chunk over a stream: a 4-byte identifier, a little-endian 32-bit size, the
// data and a pad byte after an odd size. Reads never pass the chunk's end, so a damaged size
// cannot lead a reader outside its parent.
class CRiffChunk {
public:
    CRiffChunk() = default;

    // Reads the header at the stream's position. Fewer than 8 bytes leave id 0 and an empty
    // chunk at the position.
    void Open(LStream* stream);
    // The same inside a parent chunk: only when the header fits before the parent's end; end
    // and next are clamped to the parent's end.
    void OpenChild(const CRiffChunk& parent);
    // Moves the stream to the following chunk.
    void SkipToNext();
    // Reads a four-character code from the data; false when fewer than 4 bytes remain.
    [[nodiscard]] bool ReadFourCC(uint32_t& code);
    // Reads min(count, bytes left) bytes; count becomes the number read. True when all
    // requested bytes arrived.
    [[nodiscard]] bool Read(void* buffer, uint64_t& count);

    uint32_t Id() const { return fId; }
    uint64_t Start() const { return fStart; }
    uint64_t End() const { return fEnd; }
    uint64_t Next() const { return fNext; }
    uint64_t Length() const { return fEnd - fStart; }
    LStream* Stream() const { return fStream; }

private:
    void ReadHeader(LStream* stream, uint64_t limit);

    LStream* fStream = nullptr;
    uint64_t fStart = 0;
    uint64_t fEnd = 0;
    uint64_t fNext = 0;
    uint32_t fId = 0;
};
