#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

// Line-protocol text as devices send it: 4 channels of 4-digit hexadecimal samples per line.
inline std::string ProtocolText(size_t lines, size_t first = 0)
{
    std::string text;
    char line[40];
    for (size_t i = first; i < first + lines; ++i) {
        std::snprintf(line, sizeof line, "%04x %04x %04x %04x\r\n", unsigned(i * 7) & 0xFFFF,
                      unsigned(i * 13) & 0xFFFF, unsigned(i * 29) & 0xFFFF, unsigned(i * 31) & 0xFFFF);
        text += line;
    }
    return text;
}
