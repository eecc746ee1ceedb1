#pragma once
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>

// A NUL-terminated copy of a UTF-8 text in the application's 8-bit text encoding, for
// system calls that want that encoding. A text that cannot be converted gives the empty text.
class CNativeText {
public:
    explicit CNativeText(const LStringRef& text);
    explicit CNativeText(const char* text = nullptr);

    // Converts a new text into the same buffer.
    void InitCStr(const char* text);

    const char* Text() const { return fText; }
    uint32_t Length() const { return fLength; }

private:
    void Convert(const void* bytes, uint32_t length);

    LByteBuffer fBuffer;
    const char* fText = "";
    uint32_t fLength = 0;
};
