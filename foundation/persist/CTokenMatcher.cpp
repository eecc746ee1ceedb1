#include "foundation/persist/CTokenMatcher.h"

#include <cstring>

bool CTokenMatcher::StartsPattern(char byte, uint32_t active) const
{
    for (uint32_t i = 0; i < fCount; ++i) {
        if ((active & (1u << i)) && fPatterns[i][0] == byte)
            return true;
    }
    return false;
}

int CTokenMatcher::Classify(uint32_t active) const
{
    bool prefix = false;
    for (uint32_t i = 0; i < fCount; ++i) {
        if (!(active & (1u << i)))
            continue;
        const size_t length = std::strlen(fPatterns[i]);
        if (fHeld.size() > length || std::memcmp(fPatterns[i], fHeld.data(), fHeld.size()) != 0)
            continue;
        if (fHeld.size() == length)
            return int(i);
        prefix = true;
    }
    return prefix ? -2 : -1;
}

int CTokenMatcher::Feed(char byte, uint32_t active, std::string& passed)
{
    if (fHeld.empty() && !StartsPattern(byte, active)) {
        passed += byte;
        return -1;
    }
    fHeld += byte;
    // When a partial match breaks, its first byte is passed on and the rest is looked at again.
    while (!fHeld.empty()) {
        const int found = Classify(active);
        if (found >= 0) {
            fHeld.clear();
            fLast = found;
            return found;
        }
        if (found == -2)
            return -1;
        passed += fHeld.front();
        fHeld.erase(0, 1);
    }
    return -1;
}

void CTokenMatcher::Flush(std::string& passed)
{
    passed += fHeld;
    fHeld.clear();
}
