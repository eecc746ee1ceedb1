#include "foundation/text/PascalText.h"

#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <string>

void CopyToPascal(const void* source, uint32_t length, uint8_t* out, uint32_t n)
{
    if (!out)
        return;
    const uint32_t count = source ? std::min({n, length, uint32_t{255}}) : 0;
    if (count > 0)
        std::memcpy(out + 1, source, count);
    out[0] = static_cast<uint8_t>(count);
}

void StringToPascal(const char* text, uint8_t* out, uint32_t n)
{
    const std::string native = plat::Utf8ToMacRoman(text ? text : "");
    CopyToPascal(native.data(), static_cast<uint32_t>(std::min<size_t>(native.size(), 255)), out, n);
}
