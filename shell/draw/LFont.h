#pragma once
#include "foundation/core/LRef.h"
#include "foundation/core/LStringRef.h"
#include "shell/draw/LFontData.h"

#include <cstdint>

namespace plat {
class Font;
}

// Font handle: one counted reference to an interned font record (null allowed). The platform
// font is resolved on first use: from the user's font preference for the kind when there is
// one, else from the program's fonts for the kind.
class LFont : public LTypedRef<LFontData> {
public:
    LFont() noexcept = default;
    // The interned record of the kind with every other value at its default.
    explicit LFont(uint32_t kind);

    // Both null, or equal records (LFontData::Equals).
    friend bool operator==(const LFont& a, const LFont& b);

    // The first registered record equal to the template, or a null handle.
    static LFont FindInterned(const LFontData& templ);
    // The registered record equal to the template, made and registered when there is none.
    static LFont Intern(const LFontData& templ);

    // The same font with another percent scale (negative = none) or slant; nothing for a null
    // handle or an unchanged value. The record itself never changes: the handle moves.
    void SetScale(int32_t percent);
    void SetSize(int32_t percent) { SetScale(percent); }
    void SetSlant(int32_t slant);

    // The resolved platform font (the handle keeps it), or null for a null handle or when no
    // font file could be loaded.
    plat::Font* GetNSFont() const;
    // 12 for a null handle or an unresolvable font; else the resolved font's size.
    double GetPointSize() const;
    // Empty for a null handle or an unresolvable font; else the resolved font's family.
    LStringRef GetFamilyName() const;

    // Resolves the record's platform font now (see the class comment) and marks it resolved.
    static void ResolveNSFont(LFontData& record);
};
