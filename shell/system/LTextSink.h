#pragma once
#include <cstdint>

// Writes text into a caller's buffer of fixed capacity (terminating NUL included), always
// NUL-terminated when it has room for one, and remembers when text had to be cut.
class LTextSink {
public:
    LTextSink(char* buffer, uint32_t capacity);
    virtual ~LTextSink() = default;
    LTextSink(const LTextSink&) = delete;
    LTextSink& operator=(const LTextSink&) = delete;

    virtual const char* GetText() const { return fBuffer; }
    // Empties the text and forgets any truncation; returns 0.
    virtual int Clear();
    virtual int Reset() { return Clear(); }
    // Appends as much of the n bytes as fits before the NUL; sets the truncated flag when some
    // did not fit. A sink without capacity writes nothing.
    virtual void Write(const char* bytes, uint32_t n);

    bool Truncated() const { return fTruncated != 0; }
    uint32_t Length() const { return fLength; }
    uint32_t Capacity() const { return fCapacity; }

private:
    uint32_t fTruncated = 0;
    uint32_t fLength = 0;
    uint32_t fCapacity;
    char* fBuffer;
};
