#include "foundation/text/CBytePattern.h"

CBytePattern::CBytePattern(const LStringRef& pattern) : fPattern(pattern), fLinks(pattern.Length() + 1u)
{
    const std::string_view p = fPattern.View();
    fLinks[0] = -1;
    int32_t k = -1;
    for (size_t i = 0; i < p.size(); ++i) {
        while (k >= 0 && p[i] != p[static_cast<size_t>(k)])
            k = fLinks[static_cast<size_t>(k)];
        ++k;
        fLinks[i + 1] = k;
    }
}

bool CBytePattern::Feed(char byte)
{
    const std::string_view p = fPattern.View();
    const auto length = static_cast<int32_t>(p.size());
    if (fState >= length)
        return fState == length;
    while (fState >= 0 && p[static_cast<size_t>(fState)] != byte)
        fState = fLinks[static_cast<size_t>(fState)];
    ++fState;
    return fState == length;
}
