#include "foundation/text/TextConverter.h"

#include "foundation/core/StrEqual.h"
#include "platform/TextEncoding.h"

#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

std::string_view AsView(const void* bytes, uint32_t length)
{
    return bytes ? std::string_view(static_cast<const char*>(bytes), length) : std::string_view();
}

// Sizes the buffer to exactly the converted bytes and copies them in; a conversion that does
// not fit 32 bits or memory leaves the buffer empty.
bool Store(const void* data, size_t size, LByteBuffer& out)
{
    if (size == 0) {
        out.Free();
        return true;
    }
    if (size > std::numeric_limits<uint32_t>::max() || !out.Resize(static_cast<uint32_t>(size), false)) {
        out.Free();
        return false;
    }
    std::memcpy(out.Data(), data, size);
    return true;
}

bool RefuseInvalid(std::string_view utf8, LByteBuffer& out)
{
    if (plat::IsValidUtf8(utf8))
        return false;
    out.Free();
    return true;
}

bool StoreText(const std::string& text, LByteBuffer& out)
{
    return Store(text.data(), text.size(), out);
}

} // namespace

bool TextConverter::ToUTF16(const void* bytes, uint32_t length, LByteBuffer& out)
{
    if (RefuseInvalid(AsView(bytes, length), out))
        return false;
    const std::u16string utf16 = plat::Utf8ToUtf16(AsView(bytes, length));
    return Store(utf16.data(), utf16.size() * sizeof(char16_t), out);
}

bool TextConverter::ToUTF16(const char* text, LByteBuffer& out)
{
    return ToUTF16(text, SafeStrlen(text), out);
}

bool TextConverter::FromUTF16(const char16_t* characters, uint32_t count, LByteBuffer& out)
{
    if (!characters)
        count = 0;
    return StoreText(plat::Utf16ToUtf8(std::u16string_view(characters, count)), out);
}

bool TextConverter::ToNative(const void* bytes, uint32_t length, LByteBuffer& out)
{
    if (RefuseInvalid(AsView(bytes, length), out))
        return false;
    return StoreText(plat::Utf8ToMacRoman(AsView(bytes, length)), out);
}

bool TextConverter::FromNative(const void* bytes, uint32_t length, LByteBuffer& out)
{
    return StoreText(plat::MacRomanToUtf8(AsView(bytes, length)), out);
}

CConvertedText::CConvertedText(const char* text)
{
    *this = text;
}

CConvertedText& CConvertedText::operator=(const char* text)
{
    (void)TextConverter::ToUTF16(text, fBuffer);
    fLength = fBuffer.Size() / 2;
    return *this;
}

LStringRef StringFromUTF16(const char16_t* characters, uint32_t count)
{
    LByteBuffer buffer;
    (void)TextConverter::FromUTF16(characters, count, buffer);
    return LStringRef(reinterpret_cast<const char*>(buffer.Data()), buffer.Size());
}

LStringRef StringFromNativeText(const void* bytes, uint32_t length)
{
    LByteBuffer buffer;
    (void)TextConverter::FromNative(bytes, length, buffer);
    return LStringRef(reinterpret_cast<const char*>(buffer.Data()), buffer.Size());
}

LStringRef StringFromNativeCString(const char* text)
{
    return StringFromNativeText(text, SafeStrlen(text));
}
