#pragma once
#include <cstdint>

class LStream;

// Writes one RIFF chunk: the header with a placeholder size of FF FF FF FF, then the data;
// EndChunk patches the size (little-endian) and adds the pad byte after an odd size.
class CRiffWriter {
public:
    static constexpr uint32_t kOpenSize = 0xFFFFFFFFu;

    CRiffWriter() = default;

    // Begins the "RIFF" chunk at the stream's position.
    void BeginRiff(LStream* stream);
    // Begins a chunk with the given identifier at the stream's position.
    void BeginChunk(LStream* stream, uint32_t id);
    // Writes the size (data bytes, without the pad byte) and returns to the end. A chunk whose
    // data would not fit a 32-bit size keeps the placeholder.
    void EndChunk();

    void WriteFourCC(uint32_t code);
    void Write(const void* bytes, uint64_t count);

    LStream* Stream() const { return fStream; }
    uint64_t Start() const { return fStart; }

private:
    LStream* fStream = nullptr;
    uint64_t fStart = 0;
};

// Little-endian field helpers shared by the WAV writer.
void PutLE16(uint8_t* at, uint32_t value);
void PutLE32(uint8_t* at, uint32_t value);
