#include "foundation/text/FourCC.h"

LStringRef FourCCToString(uint32_t code)
{
    char text[4];
    int length = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        if (c == '\0')
            break;
        if (c == ' ' && length == 0)
            continue;
        text[length++] = c;
    }
    while (length > 0 && text[length - 1] == ' ')
        --length;
    return LStringRef(text, length);
}

uint32_t StringToFourCC(const char* text)
{
    if (!text || *text == '\0')
        return 0;
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i) {
        const auto c = static_cast<unsigned char>(*text);
        code = (code << 8) | (c != '\0' ? c : ' ');
        if (c != '\0')
            ++text;
    }
    return code;
}

uint32_t StringToOSType(const char* text)
{
    return (!text || *text == '\0') ? 0x20202020u : StringToFourCC(text);
}

uint32_t Swap32(uint32_t value)
{
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}
