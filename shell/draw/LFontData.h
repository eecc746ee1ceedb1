#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/core/LList.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>

namespace plat {
class Font;
}

// The description of a font that panes and controls carry, interned so that equal fonts share
// one record and one resolved platform font. Records are never changed after they are
// registered; a different font is a different record.
class LFontData : public LHandleData, public SSLink {
public:
    // Font kinds; the kind is also the view id of the user's font preference for it.
    enum : uint32_t { kUserFont = 1, kSmallSystemFont = 2, kFixedPitchFont = 3, kNamedFont = 255 };
    enum : int32_t { kBold = 2, kItalic = 2 };

    explicit LFontData(uint32_t kind) noexcept : kind(kind) {}
    // A copy describes the same font but is a new, unregistered record without a resolved font.
    LFontData(const LFontData& other);
    LFontData& operator=(const LFontData&) = delete;
    // Leaves the registry and lets go of the resolved font.
    ~LFontData() override;

    // Same kind, size, scale, weight and slant; for named fonts also the same name.
    bool Equals(const LFontData& other) const;

    // Makes every registered record resolve its platform font again at next use (after the
    // user's font preferences changed).
    static void ResetAllNSFonts();

    // Links the record at the head of the registry. Only the interning code calls it.
    static void Register(LFontData* record);
    // The first registered record equal to the template, or null.
    static LFontData* FindRegistered(const LFontData& templ);

    plat::Font* nsFont = nullptr;  // the resolved font (one count owned), or null
    uint8_t resolved = 0;          // nsFont is current
    uint32_t kind;
    uint32_t size = 0;             // points; 0 = the size of the font found
    int32_t scale = -1;            // percent applied to the size; negative = none
    int32_t weight = 0;            // kBold = bold
    int32_t slant = 0;             // kItalic = italic
    LStringRef name;               // for kNamedFont only
};
