#include "platform/draw/Font.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/FontLibrary.h"
#include "platform/TextEncoding.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <mutex>

namespace plat {

namespace {

// Sizes beyond this are refused as nonsense rather than handed to the rasteriser.
constexpr double kMaxSize = 1000.0;

// One cairo face per FreeType face, made on first use and kept with it.
cairo_font_face_t* CairoFace(FT_Face face)
{
    static std::map<FT_Face, cairo_font_face_t*>& faces = *new std::map<FT_Face, cairo_font_face_t*>;
    auto found = faces.find(face);
    if (found != faces.end())
        return found->second;
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, FT_LOAD_NO_HINTING);
    faces.emplace(face, cairoFace);
    return cairoFace;
}

bool SizeIsSound(double size) { return size > 0.0 && size <= kMaxSize; }

} // namespace

Font::Font(void* face, std::string family, std::string path, double size, bool bold, bool italic)
    : fFace(face), fFamily(std::move(family)), fPath(std::move(path)), fSize(size), fBold(bold), fItalic(italic)
{
}

Font::~Font() = default;

Font* Font::Open(const std::string& family, double size, bool bold, bool italic, std::string* error)
{
    bool nameIsBold = false;
    std::string canonical = FontLibrary::CanonicalFamily(family, &nameIsBold);
    if (canonical.empty()) {
        if (error)
            *error = "unknown font family: " + family;
        return nullptr;
    }
    if (!SizeIsSound(size)) {
        if (error)
            *error = "font size out of range";
        return nullptr;
    }
    bold = bold || nameIsBold;
    const std::string path = FontLibrary::FacePath(canonical, bold, &bold);
    if (path.empty()) {
        if (error)
            *error = "no font file for the family: " + canonical;
        return nullptr;
    }
    void* face = FontLibrary::Face(path, error);
    if (!face)
        return nullptr;
    return new Font(face, canonical, path, size, bold, italic);
}

Font* Font::OpenFile(const std::string& path, double size, std::string* error)
{
    if (!SizeIsSound(size)) {
        if (error)
            *error = "font size out of range";
        return nullptr;
    }
    void* face = FontLibrary::Face(path, error);
    if (!face)
        return nullptr;
    auto* ft = static_cast<FT_Face>(face);
    std::string family = ft->family_name ? ft->family_name : "";
    bool bold = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    return new Font(face, family, path, size, bold, false);
}

Font* Font::WithSize(double size) const
{
    if (!SizeIsSound(size))
        return nullptr;
    return new Font(fFace, fFamily, fPath, size, fBold, fItalic);
}

Font* Font::WithTraits(bool bold, bool italic) const
{
    if (bold == fBold)
        return new Font(fFace, fFamily, fPath, fSize, bold, italic);
    return Open(fFamily, fSize, bold, italic, nullptr);
}

bool Font::IsFixedPitch() const { return FT_IS_FIXED_WIDTH(static_cast<FT_Face>(fFace)); }

double Font::Scale() const { return fSize / static_cast<FT_Face>(fFace)->units_per_EM; }
double Font::Ascender() const { return static_cast<FT_Face>(fFace)->ascender * Scale(); }
double Font::Descender() const { return -static_cast<FT_Face>(fFace)->descender * Scale(); }
double Font::LineHeight() const { return static_cast<FT_Face>(fFace)->height * Scale(); }

std::pair<uint32_t, int32_t> Font::GlyphOf(uint32_t codepoint) const
{
    std::lock_guard<std::recursive_mutex> hold(FontLibrary::Lock());
    auto found = fGlyphs.find(codepoint);
    if (found != fGlyphs.end())
        return found->second;
    auto face = static_cast<FT_Face>(fFace);
    uint32_t index = FT_Get_Char_Index(face, codepoint);
    int32_t advance = 0;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) == 0)
        advance = static_cast<int32_t>(face->glyph->advance.x);
    auto entry = std::make_pair(index, advance);
    fGlyphs.emplace(codepoint, entry);
    return entry;
}

std::vector<PlacedGlyph> Font::Layout(std::string_view utf8, double* advance) const
{
    std::vector<PlacedGlyph> glyphs;
    glyphs.reserve(utf8.size());
    double scale = Scale();
    int64_t pen = 0;  // design units, so long texts add up without rounding drift
    for (size_t pos = 0; pos < utf8.size();) {
        auto [index, width] = GlyphOf(NextCodePointLossy(utf8, pos));
        glyphs.push_back({index, static_cast<double>(pen) * scale});
        pen += width;
    }
    if (advance)
        *advance = static_cast<double>(pen) * scale;
    return glyphs;
}

double Font::Advance(std::string_view utf8) const
{
    double advance = 0.0;
    Layout(utf8, &advance);
    return advance;
}

void Font::Draw(Canvas& canvas, std::string_view utf8, Point baseline) const
{
    std::vector<PlacedGlyph> placed = Layout(utf8);
    if (placed.empty())
        return;
    std::vector<cairo_glyph_t> glyphs(placed.size());
    for (size_t i = 0; i < placed.size(); ++i)
        glyphs[i] = {placed[i].index, baseline.x + placed[i].x, baseline.y};

    auto* cr = static_cast<cairo_t*>(canvas.NativeContext());
    std::lock_guard<std::recursive_mutex> hold(FontLibrary::Lock());
    cairo_save(cr);
    cairo_set_font_face(cr, CairoFace(static_cast<FT_Face>(fFace)));
    cairo_matrix_t matrix;
    // y grows downward, so a glyph's top has negative y; slanting right moves it by -slant * y.
    cairo_matrix_init(&matrix, fSize, 0.0, -Slant() * fSize, fSize, 0.0, 0.0);
    cairo_set_font_matrix(cr, &matrix);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    Color color = canvas.FillColor();
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_restore(cr);
}

} // namespace plat
