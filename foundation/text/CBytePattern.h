#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <vector>

// Finds a byte pattern in a stream fed one byte at a time (Knuth-Morris-Pratt), so a reader can
// spot an end marker such as "]]>" without buffering its input.
class CBytePattern {
public:
    explicit CBytePattern(const LStringRef& pattern);

    // Takes the next byte; true once the whole pattern has been seen. A completed match stays
    // reported and consumes nothing more.
    bool Feed(char byte);
    // Forgets what was matched so far.
    void Reset() { fState = 0; }

private:
    LStringRef fPattern;
    int32_t fState = 0;           // number of pattern bytes matched
    std::vector<int32_t> fLinks;  // failure links, pattern length + 1 entries
};
