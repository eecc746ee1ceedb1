#pragma once
#include <cstdint>
#include <string>

// The letters a user types into a list within a short pause of each other, gathered into one
// text that selects the first row beginning with it.
class TypedPrefix {
public:
    // Adds the character, starting over after a pause or at the length limit, and answers the
    // text typed so far.
    const std::string& Add(char32_t character);
    void Clear() { fText.clear(); }

private:
    std::string fText;
    uint32_t fAt = 0;
};
