#pragma once
#include <cstdint>
#include <string>

// Finds any of several byte patterns in bytes fed one at a time. Only the patterns of the
// active set are looked for; bytes that can no longer begin a match are handed back in order,
// so every byte comes out exactly once, either passed on or as part of a completed pattern.
class CTokenMatcher {
public:
    CTokenMatcher(const char* const* patterns, uint32_t count) : fPatterns(patterns), fCount(count) {}

    // Feeds one byte with the set of patterns to look for (bit i for pattern i). Bytes that
    // cannot be part of a match are appended to `passed`; answers the index of the pattern
    // completed by this byte, or -1.
    int Feed(char byte, uint32_t active, std::string& passed);
    // Hands back the bytes held by a partial match (at the end of the input).
    void Flush(std::string& passed);
    // The index of the last pattern matched, or -1.
    int LastMatch() const { return fLast; }

private:
    bool StartsPattern(char byte, uint32_t active) const;
    // The pattern `held` completes (>= 0), -2 when it is a proper prefix of one, -1 otherwise.
    int Classify(uint32_t active) const;

    const char* const* fPatterns;
    uint32_t fCount;
    std::string fHeld;
    int fLast = -1;
};
