#include "shell/windows/DecodeUTF8Char.h"
#include "foundation/text/LCharSource.h"

int DecodeUTF8Char(LCharSource& source, uint32_t& out)
{
    char c = 0;
    if (!source.ReadByte(c))
        return 1;
    const auto lead = static_cast<uint8_t>(c);
    int extra = 0;
    if (lead < 0x80) {
        out = lead;
        return 0;
    }
    if (lead >= 0xC0 && lead <= 0xDF) { extra = 1; out = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { extra = 2; out = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF7) { extra = 3; out = lead & 0x07; }
    else return 2;
    for (int i = 0; i < extra; ++i) {
        if (!source.ReadByte(c) || (static_cast<uint8_t>(c) & 0xC0) != 0x80)
            return 2;
        out = (out << 6) | (static_cast<uint8_t>(c) & 0x3F);
    }
    return 0;
}
