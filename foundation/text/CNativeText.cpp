#include "foundation/text/CNativeText.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/TextConverter.h"

CNativeText::CNativeText(const LStringRef& text) { Convert(text.Text(), text.Length()); }

CNativeText::CNativeText(const char* text) { InitCStr(text); }

void CNativeText::InitCStr(const char* text) { Convert(text ? text : "", SafeStrlen(text)); }

void CNativeText::Convert(const void* bytes, uint32_t length)
{
    fText = "";
    fLength = 0;
    if (!TextConverter::ToNative(bytes, length, fBuffer))
        return;
    const uint32_t size = fBuffer.Size();
    if (size == UINT32_MAX || !fBuffer.Resize(size + 1, true))
        return;
    fBuffer.Data()[size] = 0;
    fText = reinterpret_cast<const char*>(fBuffer.Data());
    fLength = size;
}
