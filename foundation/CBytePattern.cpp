#include "foundation/CBytePattern.h"

CBytePattern::CBytePattern(std::string_view pattern) : fPattern(pattern), fLinks(pattern.size() + 1)
{
    fLinks[0] = -1;
    int32_t k = -1;
    for (size_t i = 0; i < fPattern.size(); ++i) {
        while (k >= 0 && fPattern[i] != fPattern[static_cast<size_t>(k)])
            k = fLinks[static_cast<size_t>(k)];
        ++k;
        fLinks[i + 1] = k;
    }
}

bool CBytePattern::Feed(char byte)
{
    const auto length = static_cast<int32_t>(fPattern.size());
    if (fState >= length)
        return fState == length;
    while (fState >= 0 && fPattern[static_cast<size_t>(fState)] != byte)
        fState = fLinks[static_cast<size_t>(fState)];
    ++fState;
    return fState == length;
}
