#pragma once
#include "sources/CSourceType.h"

#include <cstddef>
#include <cstdint>

// The line-protocol parse written as one plain loop: hexadecimal values separated by blanks, a line
// end completes the frame, each value scaled by the type's channel mapping.
class PlainLineParser {
public:
    explicit PlainLineParser(const CSourceType* type) : fType(type), fFull(float(uint64_t{1} << type->bits)) {}

    template <typename Sink>
    void Parse(const uint8_t* p, size_t n, Sink&& sink)
    {
        for (size_t i = 0; i < n; ++i) {
            const uint8_t c = p[i];
            if (c == '\r' || c == '\n') {
                EndValue();
                if (fCount > 0) {
                    float frame[4];
                    for (uint32_t k = 0; k < fCount; ++k)
                        frame[k] = (float(fValue[k]) / fFull - fType->chan[k].faderOffset) * fType->chan[k].faderSpan;
                    sink(frame, fCount);
                }
                fCount = 0;
            } else if (c == ' ' || c == '\t') {
                EndValue();
            } else {
                const uint32_t digit = c <= '9' ? uint32_t(c - '0') : uint32_t((c | 0x20) - 'a' + 10);
                fHex = ((fHex << 4) | digit) & 0xFFFF;
                fInValue = true;
            }
        }
    }

private:
    void EndValue()
    {
        if (fInValue && fCount < 4)
            fValue[fCount++] = fHex;
        fInValue = false;
        fHex = 0;
    }

    const CSourceType* fType;
    float fFull;
    uint32_t fValue[4] = {};
    uint32_t fCount = 0;
    uint32_t fHex = 0;
    bool fInValue = false;
};
