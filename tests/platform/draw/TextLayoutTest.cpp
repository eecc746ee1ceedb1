#include "platform/draw/TextLayout.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Font.h"

#include <gtest/gtest.h>

namespace {

class TextLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fFont = plat::Font::Open("DejaVu Sans Mono", 10, false, false, nullptr);
        ASSERT_NE(fFont, nullptr);
        fCell = fFont->Advance("x");
    }
    void TearDown() override
    {
        if (fFont)
            fFont->Release();
    }

    std::vector<std::string> LinesOf(const std::string& text, double wrapWidth = 0)
    {
        plat::TextLayout layout(*fFont, text, wrapWidth);
        std::vector<std::string> lines;
        for (const auto& line : layout.Lines())
            lines.push_back(text.substr(line.start, line.length));
        return lines;
    }

    plat::Font* fFont = nullptr;
    double fCell = 0;
};

using Lines = std::vector<std::string>;

// The horizontal extent of the drawn pixels.
std::pair<int, int> InkColumns(const plat::Bitmap& bitmap)
{
    int left = bitmap.Width(), right = -1;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != 0)
                left = std::min(left, x), right = std::max(right, x);
    return {left, right};
}

} // namespace

TEST_F(TextLayoutTest, LineEndsOfEveryKindCountOnce)
{
    EXPECT_EQ(LinesOf("a\r\nb\rc\n"), (Lines{"a", "b", "c", ""}));
    EXPECT_EQ(LinesOf("\n\n"), (Lines{"", "", ""}));
    EXPECT_EQ(LinesOf("\r\r\n"), (Lines{"", "", ""}));
    EXPECT_TRUE(LinesOf("").empty());
    plat::TextLayout layout(*fFont, "a\r\nb\rc\n");
    EXPECT_DOUBLE_EQ(layout.Height(), 4 * fFont->LineHeight());
    EXPECT_DOUBLE_EQ(plat::TextLayout(*fFont, "").Height(), 0.0);
}

TEST_F(TextLayoutTest, WidthIsTheWidestLine)
{
    plat::TextLayout layout(*fFont, "ab\nabcd\nabc");
    EXPECT_DOUBLE_EQ(layout.Width(), 4 * fCell);
}

TEST_F(TextLayoutTest, WrapsBetweenWordsWithinTheWidth)
{
    double width = 7.5 * fCell;
    EXPECT_EQ(LinesOf("one two three four", width), (Lines{"one two", "three", "four"}));
    EXPECT_EQ(LinesOf("one   two", 4 * fCell), (Lines{"one", "two"}));
    // A word wider than the whole width breaks between characters.
    EXPECT_EQ(LinesOf("abcdefghij", 4 * fCell), (Lines{"abcd", "efgh", "ij"}));
    // Every line keeps at least one character, however narrow the width.
    EXPECT_EQ(LinesOf("abc", 1), (Lines{"a", "b", "c"}));
    // Multi-byte characters are never split.
    EXPECT_EQ(LinesOf("\xC3\xA9\xC3\xA9\xC3\xA9", 2 * fCell), (Lines{"\xC3\xA9\xC3\xA9", "\xC3\xA9"}));
    plat::TextLayout layout(*fFont, "one two three four", width);
    for (const auto& line : layout.Lines())
        EXPECT_LE(line.width, width);
}

TEST_F(TextLayoutTest, AlignsLinesInTheBox)
{
    for (auto [align, expectLeft] : {std::pair{plat::TextAlign::Left, 0.0},
                                     std::pair{plat::TextAlign::Center, (100 - 4 * fCell) / 2},
                                     std::pair{plat::TextAlign::Right, 100 - 4 * fCell}}) {
        plat::Bitmap bitmap(100, 20);
        plat::Canvas canvas(bitmap);
        plat::TextLayout(*fFont, "IIII").Draw(canvas, {0, 0, 100, 20}, align);
        auto [left, right] = InkColumns(bitmap);
        ASSERT_GE(right, 0);
        // The ink of the four "I" cells lies inside the cells' span.
        EXPECT_GE(left, static_cast<int>(expectLeft));
        EXPECT_LE(right, static_cast<int>(expectLeft + 4 * fCell) + 1);
        EXPECT_LE(left, static_cast<int>(expectLeft + fCell));
    }
}

TEST_F(TextLayoutTest, ClipToBoxKeepsTextInside)
{
    plat::Bitmap bitmap(100, 40);
    plat::Canvas canvas(bitmap);
    plat::TextLayout(*fFont, "WWWWWWWWWWWW\nWWW\nWWW").Draw(canvas, {10, 5, 30, 12}, plat::TextAlign::Left,
                                                           plat::TextLayout::Clip::ToBox);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (x < 10 || x >= 40 || y < 5 || y >= 17) {
                ASSERT_EQ(bitmap.Pixel(x, y), 0u) << x << "," << y;
            }
    EXPECT_EQ(canvas.SaveDepth(), 0);
}

TEST(TextLayout, KeepsItsFontAlive)
{
    plat::Font* font = plat::Font::Open("DejaVu Serif", 14, false, false, nullptr);
    ASSERT_NE(font, nullptr);
    double lineHeight = font->LineHeight();
    plat::TextLayout layout(*font, "two\nlines");
    font->Release();  // the layout's count keeps it
    EXPECT_DOUBLE_EQ(layout.Height(), 2 * lineHeight);
    plat::Bitmap bitmap(80, 40);
    plat::Canvas canvas(bitmap);
    layout.Draw(canvas, {0, 0, 80, 40}, plat::TextAlign::Left);
    EXPECT_GT(InkColumns(bitmap).second, 0);
}
