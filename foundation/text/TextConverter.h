#pragma once
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>

// Conversions between the program's UTF-8 text and UTF-16 (host byte order, no byte-order mark)
// or the application's 8-bit encoding (Mac Roman). Each sizes its output buffer exactly to the
// converted bytes, without keeping old contents; a character the target lacks becomes '?'.
// Input that is not valid UTF-8, or a failed allocation, leaves the output empty (size 0) and
// gives false.
class TextConverter {
public:
    static bool ToUTF16(const void* bytes, uint32_t length, LByteBuffer& out);
    static bool ToUTF16(const char* text, LByteBuffer& out);
    static bool FromUTF16(const char16_t* characters, uint32_t count, LByteBuffer& out);
    static bool ToNative(const void* bytes, uint32_t length, LByteBuffer& out);
    static bool FromNative(const void* bytes, uint32_t length, LByteBuffer& out);
};

// A UTF-8 text held in UTF-16 for platform calls that take characters.
class CConvertedText {
public:
    explicit CConvertedText(const char* text = nullptr);
    // Converts a new text into the same buffer.
    CConvertedText& operator=(const char* text);

    const char16_t* Characters() const { return reinterpret_cast<const char16_t*>(fBuffer.Data()); }
    // Length in UTF-16 units.
    uint32_t Length() const { return fLength; }

private:
    LByteBuffer fBuffer;
    uint32_t fLength = 0;
};

LStringRef StringFromUTF16(const char16_t* characters, uint32_t count);
LStringRef StringFromNativeText(const void* bytes, uint32_t length);
// A null text gives the empty string.
LStringRef StringFromNativeCString(const char* text);
