#include "foundation/core/StrEqual.h"

#include <cstring>

bool StrEqual(const char* a, const char* b) noexcept
{
    if (a == b)
        return true;
    if (!a)
        return *b == '\0';
    if (!b)
        return *a == '\0';
    return std::strcmp(a, b) == 0;
}

uint32_t SafeStrlen(const char* text) noexcept
{
    if (!text)
        return 0;
    const size_t length = std::strlen(text);
    return length > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(length);
}
