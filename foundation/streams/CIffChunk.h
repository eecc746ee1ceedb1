#pragma once
#include <cstdint>

class LStream;
class LStringRef;

// Cursor for one big-endian IFF chunk on a stream: an 8-byte header {type, size}, the data,
// and one zero pad byte after data of odd length (not counted in the size). A writer puts
// the header down at once and patches the size when it ends; a reader keeps the chunk's
// bounds so that nested chunks and typed reads never pass their parent. A chunk of type 0
// (or a header that cannot be read) ends a list of chunks.
//
// The chunk operations do not check the stream's error: writers test it once after the whole
// tree is written; on a failed stream reads deliver nothing and typed reads answer false.
class CIffChunk {
public:
    // Writing.
    void BeginWrite(LStream* stream, uint32_t chunkType);
    void BeginSub(CIffChunk& parent, uint32_t chunkType);
    // Patches the size and adds the pad byte. Every chunk begun is ended once, innermost first.
    void EndWrite();
    void WriteU8(uint8_t value);
    void WriteU32(uint32_t value);
    void WriteBytes(const void* data, uint64_t count);
    // The text and one NUL byte; each CR and each CR LF pair is stored as one LF.
    void WriteString(const char* text);
    static void WriteText(LStream* stream, const char* text, uint64_t length);

    // Reading.
    void Open(LStream* stream);
    void OpenSub(CIffChunk& parent);
    // Moves the stream to the following chunk, skipping whatever was not read.
    void Close();
    bool ReadU8(uint32_t* value);
    bool ReadU32(uint32_t* value);
    // A NUL-terminated text with its line ends made LF; the handle is unchanged on failure.
    bool ReadString(LStringRef* value);

    uint64_t DataEnd() const { return fDataEnd; }
    uint64_t Next() const { return fNext; }
    LStream* Stream() const { return fStream; }

    uint32_t type = 0;

private:
    bool ReadHeader(uint32_t* size);
    bool ReadExact(void* buffer, uint64_t count);

    LStream* fStream = nullptr;
    uint64_t fStart = 0;     // writing: position of the header
    uint64_t fDataEnd = 0;   // reading: just past the data
    uint64_t fNext = 0;      // reading: the following chunk
};
