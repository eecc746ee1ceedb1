#include "shell/draw/LFont.h"
#include "controls/CViewPrefs.h"
#include "platform/draw/Font.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// The program's fonts for each kind: the family and the size a desktop gives them.
constexpr const char* kSansFamily = "DejaVu Sans";
constexpr const char* kFixedFamily = "DejaVu Sans Mono";
constexpr double kUserFontSize = 12.0;
constexpr double kSmallSystemFontSize = 11.0;
constexpr double kFixedPitchFontSize = 10.0;
constexpr double kSystemFontSize = 13.0;

plat::Font* OpenLogged(const std::string& family, double size, bool bold, bool italic)
{
    std::string error;
    plat::Font* font = plat::Font::Open(family, size, bold, italic, &error);
    if (!font)
        std::fprintf(stderr, "sonalyx: %s\n", error.c_str());
    return font;
}

// Step 2 of resolving: the program's own font for the kind (a named font falls back to the
// user font when the name is unknown).
plat::Font* FontForKind(const LFontData& record, bool bold, bool italic)
{
    switch (record.kind) {
    case LFontData::kUserFont: return OpenLogged(kSansFamily, kUserFontSize, bold, italic);
    case LFontData::kSmallSystemFont: return OpenLogged(kSansFamily, kSmallSystemFontSize, bold, italic);
    case LFontData::kFixedPitchFont: return OpenLogged(kFixedFamily, kFixedPitchFontSize, bold, italic);
    case LFontData::kNamedFont:
        if (plat::Font* named = plat::Font::Open(record.name.Text(), kUserFontSize, bold, italic, nullptr))
            return named;
        return OpenLogged(kSansFamily, kUserFontSize, bold, italic);
    default: return OpenLogged(kSansFamily, kSystemFontSize, bold, italic);
    }
}

// Step 1: the user's preference for the kind, when it names a font we have.
plat::Font* PreferredFont(const LFontData& record, bool bold, bool italic)
{
    CViewPrefs::FontSpec choice;
    if (!CViewPrefs::Shared().GetFont(record.kind, choice))
        return nullptr;
    return plat::Font::Open(choice.family.Text(), choice.size, bold, italic, nullptr);
}

// Step 4: the record's size, or the found font's, scaled and cut to whole points.
double ResolvedSize(const LFontData& record, double foundSize)
{
    float size = record.size != 0 ? static_cast<float>(record.size) : static_cast<float>(foundSize);
    if (record.scale >= 0)
        size = size * static_cast<float>(record.scale) / 100.0f;
    // A font needs at least one point; a scale of 0 would otherwise make it vanish.
    return std::max(1.0, std::trunc(static_cast<double>(size)));
}

} // namespace

LFont::LFont(uint32_t kind)
{
    LFontData templ(kind);
    AssignFrom(Intern(templ));
}

bool operator==(const LFont& a, const LFont& b)
{
    if (!a.Get() || !b.Get())
        return !a.Get() && !b.Get();
    return a.Get()->Equals(*b.Get());
}

LFont LFont::FindInterned(const LFontData& templ)
{
    LFont found;
    found.Assign(LFontData::FindRegistered(templ));
    return found;
}

LFont LFont::Intern(const LFontData& templ)
{
    LFont found = FindInterned(templ);
    if (found.Get())
        return found;
    auto* record = new LFontData(templ);
    found.Assign(record);
    LFontData::Register(record);
    return found;
}

void LFont::SetScale(int32_t percent)
{
    if (!Get() || Get()->scale == percent)
        return;
    LFontData templ(*Get());
    templ.scale = percent;
    AssignFrom(Intern(templ));
}

void LFont::SetSlant(int32_t slant)
{
    if (!Get() || Get()->slant == slant)
        return;
    LFontData templ(*Get());
    templ.slant = slant;
    AssignFrom(Intern(templ));
}

void LFont::ResolveNSFont(LFontData& record)
{
    bool bold = record.weight == LFontData::kBold;
    bool italic = record.slant == LFontData::kItalic;
    plat::Font* font = PreferredFont(record, bold, italic);
    if (!font)
        font = FontForKind(record, bold, italic);
    if (font) {
        double size = ResolvedSize(record, font->PointSize());
        if (size != font->PointSize()) {
            plat::Font* sized = font->WithSize(size);
            font->Release();
            font = sized;
        }
    }
    if (record.nsFont)
        record.nsFont->Release();
    record.nsFont = font;
    record.resolved = 1;
}

plat::Font* LFont::GetNSFont() const
{
    LFontData* record = Get();
    if (!record)
        return nullptr;
    if (!record->resolved)
        ResolveNSFont(*record);
    return record->nsFont;
}

double LFont::GetPointSize() const
{
    plat::Font* font = GetNSFont();
    return font ? font->PointSize() : 12.0;
}

LStringRef LFont::GetFamilyName() const
{
    plat::Font* font = GetNSFont();
    return font ? LStringRef(font->FamilyName().c_str()) : LStringRef();
}
