#include "foundation/text/TextCompare.h"

#include <cstring>

namespace {

const char* OrEmpty(const char* text)
{
    return text ? text : "";
}

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool IsEmptyString(const char* text)
{
    return !text || *text == '\0';
}

int StrCompare(const char* a, const char* b)
{
    return std::strcmp(OrEmpty(a), OrEmpty(b));
}

int StrPrefixCompare(const char* text, const char* prefix)
{
    if (IsEmptyString(prefix))
        return IsEmptyString(text) ? 0 : 1;
    if (IsEmptyString(text))
        return -1;
    const size_t prefixLength = std::strlen(prefix);
    if (prefixLength <= std::strlen(text))
        return std::strncmp(text, prefix, prefixLength);
    return std::strcmp(text, prefix);
}

bool StrEqualNoCase(const char* a, const char* b)
{
    a = OrEmpty(a);
    b = OrEmpty(b);
    while (*a != '\0' && *b != '\0') {
        if (AsciiUpper(*a++) != AsciiUpper(*b++))
            return false;
    }
    return *a == *b;
}
