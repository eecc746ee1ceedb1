#include "platform/draw/Font.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/FontLibrary.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";

// Reads a TrueType file independently: units per em, hhea ascender, descender and line gap,
// and the advance of each character of argv[2].
const char* kReadTtf = R"(
import sys, struct
data = open(sys.argv[1], 'rb').read()
n = struct.unpack('>H', data[4:6])[0]
tables = {}
for i in range(n):
    tag, _, off, ln = struct.unpack('>4sIII', data[12 + 16 * i:28 + 16 * i])
    tables[tag.decode()] = off
head, hhea, hmtx, cmap = tables['head'], tables['hhea'], tables['hmtx'], tables['cmap']
upem = struct.unpack('>H', data[head + 18:head + 20])[0]
asc, desc, gap = struct.unpack('>hhh', data[hhea + 4:hhea + 10])
nmetrics = struct.unpack('>H', data[hhea + 34:hhea + 36])[0]
def glyph(cp):
    nsub = struct.unpack('>H', data[cmap + 2:cmap + 4])[0]
    for i in range(nsub):
        pid, eid, off = struct.unpack('>HHI', data[cmap + 4 + 8 * i:cmap + 12 + 8 * i])
        t = cmap + off
        if struct.unpack('>H', data[t:t + 2])[0] != 4 or pid != 3:
            continue
        segx2 = struct.unpack('>H', data[t + 6:t + 8])[0]
        ends = t + 14; starts = ends + segx2 + 2; deltas = starts + segx2; ranges = deltas + segx2
        for s in range(segx2 // 2):
            end = struct.unpack('>H', data[ends + 2 * s:ends + 2 * s + 2])[0]
            if cp > end: continue
            start = struct.unpack('>H', data[starts + 2 * s:starts + 2 * s + 2])[0]
            if cp < start: return 0
            delta = struct.unpack('>h', data[deltas + 2 * s:deltas + 2 * s + 2])[0]
            ro = struct.unpack('>H', data[ranges + 2 * s:ranges + 2 * s + 2])[0]
            if ro == 0: return (cp + delta) & 0xFFFF
            g = struct.unpack('>H', data[ranges + 2 * s + ro + 2 * (cp - start):][:2])[0]
            return (g + delta) & 0xFFFF if g else 0
    return 0
def adv(cp):
    g = min(glyph(cp), nmetrics - 1)
    return struct.unpack('>H', data[hmtx + 4 * g:hmtx + 4 * g + 2])[0]
print(upem, asc, desc, gap, ' '.join(str(adv(ord(c))) for c in sys.argv[2]))
)";

struct TtfFacts {
    double unitsPerEm = 0, ascender = 0, descender = 0, lineGap = 0;
    std::vector<double> advances;
};

TtfFacts ReadTtf(const std::string& file, const std::string& text)
{
    std::string code = std::string("import sys\nsys.argv.append('") + text + "')\n" + kReadTtf;
    std::istringstream in(RunPython(code, kDejaVu + file));
    TtfFacts facts;
    in >> facts.unitsPerEm >> facts.ascender >> facts.descender >> facts.lineGap;
    for (double advance; in >> advance;)
        facts.advances.push_back(advance);
    return facts;
}

// Holds a font for the test and releases it at the end.
struct FontHolder {
    plat::Font* font;
    explicit FontHolder(plat::Font* f) : font(f) {}
    ~FontHolder()
    {
        if (font)
            font->Release();
    }
    plat::Font* operator->() const { return font; }
};

// The mean x of the covered pixels in rows [top, bottom).
double MeanX(const plat::Bitmap& bitmap, int top, int bottom)
{
    double sum = 0, count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) >> 24 > 0x80) {
                sum += x;
                ++count;
            }
    return count ? sum / count : -1;
}

} // namespace

TEST(Font, MetricsMatchTheFontFile)
{
    TtfFacts facts = ReadTtf("DejaVuSans.ttf", "Hello W");
    ASSERT_EQ(facts.unitsPerEm, 2048);
    ASSERT_EQ(facts.advances.size(), 7u);
    std::string error;
    FontHolder font(plat::Font::Open("DejaVu Sans", 12, false, false, &error));
    ASSERT_TRUE(font.font) << error;
    double scale = 12.0 / facts.unitsPerEm;
    EXPECT_DOUBLE_EQ(font->Ascender(), facts.ascender * scale);
    EXPECT_DOUBLE_EQ(font->Descender(), -facts.descender * scale);
    EXPECT_DOUBLE_EQ(font->LineHeight(), (facts.ascender - facts.descender + facts.lineGap) * scale);
    double sum = 0;
    for (double advance : facts.advances)
        sum += advance;
    EXPECT_NEAR(font->Advance("Hello W"), sum * scale, 1e-9);
    EXPECT_EQ(font->Advance(""), 0.0);
    EXPECT_EQ(font->FamilyName(), "DejaVu Sans");
    EXPECT_FALSE(font->IsFixedPitch());
}

TEST(Font, BoldAndFixedPitchFacesComeFromTheirOwnFiles)
{
    TtfFacts bold = ReadTtf("DejaVuSans-Bold.ttf", "H");
    TtfFacts mono = ReadTtf("DejaVuSansMono.ttf", "iW");
    FontHolder boldFont(plat::Font::Open("dejavusans-bold", 10, false, false, nullptr));
    ASSERT_TRUE(boldFont.font);
    EXPECT_TRUE(boldFont->IsBold());
    EXPECT_DOUBLE_EQ(boldFont->Advance("H"), bold.advances[0] * 10 / 2048);
    FontHolder monoFont(plat::Font::Open("DejaVu Sans Mono", 10, false, false, nullptr));
    ASSERT_TRUE(monoFont.font);
    EXPECT_TRUE(monoFont->IsFixedPitch());
    EXPECT_DOUBLE_EQ(monoFont->Advance("i"), monoFont->Advance("W"));
    EXPECT_DOUBLE_EQ(monoFont->Advance("iW"), (mono.advances[0] + mono.advances[1]) * 10 / 2048);
    FontHolder serif(plat::Font::Open("DejaVuSerif", 10, true, true, nullptr));
    ASSERT_TRUE(serif.font);
    EXPECT_TRUE(serif->IsBold());
    EXPECT_TRUE(serif->IsItalic());
    EXPECT_DOUBLE_EQ(serif->Slant(), plat::Font::kSyntheticSlant);
}

TEST(Font, DerivedFontsKeepTheFace)
{
    FontHolder font(plat::Font::Open("DejaVu Sans", 10, false, false, nullptr));
    FontHolder bigger(font->WithSize(20));
    FontHolder bold(font->WithTraits(true, false));
    ASSERT_TRUE(bigger.font && bold.font);
    EXPECT_DOUBLE_EQ(bigger->Advance("Hello"), 2 * font->Advance("Hello"));
    EXPECT_TRUE(bold->IsBold());
    EXPECT_GT(bold->Advance("Hello"), font->Advance("Hello"));
    EXPECT_EQ(font->WithSize(0), nullptr);
    EXPECT_EQ(font->WithSize(-5), nullptr);
}

TEST(Font, MissingFamilyOrFileGivesAClearError)
{
    std::string error;
    EXPECT_EQ(plat::Font::Open("Comic Something", 12, false, false, &error), nullptr);
    EXPECT_NE(error.find("Comic Something"), std::string::npos);

    error.clear();
    EXPECT_EQ(plat::Font::OpenFile("/no/such/DejaVuSans.ttf", 12, &error), nullptr);
    EXPECT_NE(error.find("/no/such/DejaVuSans.ttf"), std::string::npos);
    EXPECT_NE(error.find("missing"), std::string::npos);

    plat::FontLibrary::SetFolder(TempSoundPath("nofonts"));
    error.clear();
    EXPECT_EQ(plat::Font::Open("DejaVu Serif", 12, true, false, &error), nullptr);
    plat::FontLibrary::ResetFolder();
    EXPECT_NE(error.find("DejaVuSerif-Bold.ttf"), std::string::npos) << error;

    error.clear();
    EXPECT_EQ(plat::Font::OpenFile(kDejaVu + "../../../../../etc/hostname", 12, &error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(Font, MalformedTextStillMeasuresAndDraws)
{
    FontHolder font(plat::Font::Open("DejaVu Sans", 12, false, false, nullptr));
    std::string bad = "a\xC3\x28\xFF\xE2\x82";  // cut and stray sequences
    std::vector<plat::PlacedGlyph> glyphs = font->Layout(bad);
    EXPECT_EQ(glyphs.size(), 6u);  // 'a', replacement, '(', replacement x3
    EXPECT_GT(font->Advance(bad), font->Advance("a("));
    plat::Bitmap bitmap(60, 20);
    plat::Canvas canvas(bitmap);
    font->Draw(canvas, bad, {2, 15});
    EXPECT_EQ(font->Advance("\xC3\xA9"), font->Advance("\xC3\xA9"));  // é is one glyph
    EXPECT_EQ(font->Layout("\xC3\xA9").size(), 1u);
}

TEST(Font, DrawsGlyphsAtTheBaselineInTheFillColour)
{
    FontHolder font(plat::Font::Open("DejaVu Sans", 20, false, false, nullptr));
    plat::Bitmap bitmap(40, 40);
    plat::Canvas canvas(bitmap);
    canvas.SetFillColor({0, 0, 1, 1});
    font->Draw(canvas, "H", {10, 30});
    int top = 40, bottom = 0, left = 40, right = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            uint32_t p = bitmap.Pixel(x, y);
            if (p == 0)
                continue;
            EXPECT_EQ(p & 0x00FFFF00u, 0u) << "only blue is drawn";
            top = std::min(top, y), bottom = std::max(bottom, y);
            left = std::min(left, x), right = std::max(right, x);
        }
    // "H" stands on the baseline: cap height of DejaVu Sans is 0.729 em.
    EXPECT_EQ(bottom, 29);
    EXPECT_NEAR(top, 30 - 0.729 * 20, 1.0);
    EXPECT_GE(left, 11);
    EXPECT_LE(right, 10 + static_cast<int>(font->Advance("H")));
}

TEST(Font, SynthesisedItalicLeansRight)
{
    FontHolder upright(plat::Font::Open("DejaVu Sans", 40, false, false, nullptr));
    FontHolder italic(plat::Font::Open("DejaVu Sans", 40, false, true, nullptr));
    plat::Bitmap a(60, 60), b(60, 60);
    {
        plat::Canvas canvas(a);
        upright->Draw(canvas, "l", {20, 50});
    }
    {
        plat::Canvas canvas(b);
        italic->Draw(canvas, "l", {20, 50});
    }
    double uprightLean = MeanX(a, 20, 25) - MeanX(a, 45, 50);
    double italicLean = MeanX(b, 20, 25) - MeanX(b, 45, 50);
    EXPECT_NEAR(uprightLean, 0.0, 0.5);
    EXPECT_NEAR(italicLean, 0.25 * 25, 1.0);
}

TEST(Font, DrawingObeysTheClip)
{
    FontHolder font(plat::Font::Open("DejaVu Sans", 20, false, false, nullptr));
    plat::Bitmap bitmap(40, 40);
    plat::Canvas canvas(bitmap);
    canvas.ClipToRects({});
    font->Draw(canvas, "WWW", {0, 30});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(bitmap.Pixel(x, y), 0u);
}
