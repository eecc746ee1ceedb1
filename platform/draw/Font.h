#pragma once
#include "platform/Geometry.h"
#include "platform/Shared.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat {

class Canvas;

// One glyph of a laid-out text: the font's glyph number and its pen position on the line.
struct PlacedGlyph {
    uint32_t index = 0;
    double x = 0.0;
};

// A font at a size: a FreeType face of one of the known font files. One point is one pixel.
// Metrics come from the face's design units scaled to the size, unhinted, so they are the same
// on every machine. Shared by count (`Shared`); the creator owns the first count.
class Font final : public Shared {
public:
    // The slant of a synthesised italic: x moves by this much per unit of height above the baseline.
    static constexpr double kSyntheticSlant = 0.25;

    // A font of a known family ("DejaVu Sans", "DejaVuSans-Bold", any letter case) at `size`
    // points. Italic has no face of its own and is synthesised by slanting. Null, with a
    // message in `error`, when the family is unknown or its file is missing.
    static Font* Open(const std::string& family, double size, bool bold, bool italic, std::string* error);
    // A font made from one font file at `size` points; null with a message when the file is missing.
    static Font* OpenFile(const std::string& path, double size, std::string* error);

    // The same face at another size, or with other traits; null when that face is missing.
    Font* WithSize(double size) const;
    Font* WithTraits(bool bold, bool italic) const;

    const std::string& FamilyName() const { return fFamily; }
    double PointSize() const { return fSize; }
    bool IsBold() const { return fBold; }
    bool IsItalic() const { return fItalic; }
    bool IsFixedPitch() const;
    // The horizontal shear applied to glyphs (kSyntheticSlant for a synthesised italic, else 0).
    double Slant() const { return fItalic ? kSyntheticSlant : 0.0; }

    // Distance from the baseline up to the top of the tallest glyphs (positive).
    double Ascender() const;
    // Distance from the baseline down to the bottom of the deepest glyphs (positive).
    double Descender() const;
    // Ascender plus descender plus the face's line gap: the distance between two baselines.
    double LineHeight() const;

    // The advance width of a UTF-8 text on one line (line ends are not treated specially).
    double Advance(std::string_view utf8) const;
    // Glyph numbers and pen positions of a UTF-8 text on one line, starting at x = 0. Bytes that
    // are not UTF-8 show as the replacement character.
    std::vector<PlacedGlyph> Layout(std::string_view utf8, double* advance = nullptr) const;

    // Draws a UTF-8 text on one line with its baseline starting at `baseline`, in the canvas's
    // fill colour, clipped and transformed like every other drawing of the canvas.
    void Draw(Canvas& canvas, std::string_view utf8, Point baseline) const;

private:
    Font(void* face, std::string family, std::string path, double size, bool bold, bool italic);
    ~Font() override;
    double Scale() const;
    // The glyph number and advance in design units of a character.
    std::pair<uint32_t, int32_t> GlyphOf(uint32_t codepoint) const;

    void* fFace;  // FT_Face, shared with every font of the same file
    std::string fFamily;
    std::string fPath;
    double fSize;
    bool fBold;
    bool fItalic;
    mutable std::unordered_map<uint32_t, std::pair<uint32_t, int32_t>> fGlyphs;
};

} // namespace plat
