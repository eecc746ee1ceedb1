#include "controls/text/CTextDrawer.h"

#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Font.h"
#include "ui/draw/LPortState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A port over a white 200 x 100 bitmap, and the system font (DejaVu Sans 13) as the text font.
class CTextDrawerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clear();
        fPort.SetContext(&fCanvas);
        fPort.SetClip(LRegion(CLRect{0, 0, 200, 100}));
        fDrawer.SetFont(LFont(0));
        ASSERT_NE(fDrawer.Font().GetNSFont(), nullptr);
    }
    void Clear()
    {
        for (int y = 0; y < fBitmap.Height(); ++y)
            for (int x = 0; x < fBitmap.Width(); ++x)
                fBitmap.SetPixel(x, y, 0xFFFFFFFF);
    }
    // Rows that hold a dark pixel: the first and one past the last, or {-1, -1}.
    std::pair<int, int> InkRows() const
    {
        int first = -1;
        int last = -1;
        for (int y = 0; y < fBitmap.Height(); ++y)
            for (int x = 0; x < fBitmap.Width(); ++x)
                if ((fBitmap.Pixel(x, y) & 0xFF) < 0x80) {
                    first = first < 0 ? y : first;
                    last = y + 1;
                }
        return {first, last};
    }
    const plat::Font& Metrics() const { return *fDrawer.Font().GetNSFont(); }

    plat::Bitmap fBitmap{200, 100};
    plat::Canvas fCanvas{fBitmap};
    LPortState fPort;
    CTextDrawer fDrawer;
};

} // namespace

TEST_F(CTextDrawerTest, MeasuresWithTheDejaVuMetrics)
{
    // DejaVu Sans: ascender 1901, descender 483 of 2048 units per em, at 13 points.
    EXPECT_NEAR(Metrics().Ascender(), 13 * 1901 / 2048.0, 0.01);
    EXPECT_EQ(fDrawer.GetAscent(fPort), 13);
    EXPECT_EQ(fDrawer.GetLineHeight(fPort), static_cast<int32_t>(std::ceil(Metrics().LineHeight())));
    EXPECT_EQ(fDrawer.GetHeight(fPort), fDrawer.GetLineHeight(fPort));
    EXPECT_EQ(fDrawer.GetAscentGap(fPort), static_cast<int32_t>(std::floor(Metrics().LineHeight() - Metrics().Ascender())));
    fDrawer.SetText("Sonalyx");
    EXPECT_EQ(fDrawer.GetTextWidth(fPort), static_cast<int32_t>(std::ceil(Metrics().Advance("Sonalyx"))));
    EXPECT_EQ(fDrawer.GetWidth(fPort), fDrawer.GetTextWidth(fPort));
}

TEST_F(CTextDrawerTest, EmptyTextHasNoWidthAndDrawsNothing)
{
    EXPECT_EQ(fDrawer.GetTextWidth(fPort), 0);
    EXPECT_EQ(fDrawer.MeasureHeight(fPort, 50), 0);
    fDrawer.SetRect(CLRect{0, 0, 200, 100});
    fDrawer.Draw(fPort);
    EXPECT_EQ(InkRows().first, -1);
}

TEST_F(CTextDrawerTest, LinesHeightCountsEveryKindOfLineEnd)
{
    fDrawer.SetText(LStringRef("a\r\nb\rc\n", 7));
    EXPECT_EQ(CTextDrawer::CountLineEnds("a\r\nb\rc\n"), 3u);
    EXPECT_EQ(fDrawer.GetLinesHeight(fPort), 4 * fDrawer.GetLineHeight(fPort));
    EXPECT_EQ(CTextDrawer::CountLineEnds(std::string_view("a\n\0\n", 4)), 1u);
}

TEST_F(CTextDrawerTest, WrapsAtTheWordThatNoLongerFits)
{
    fDrawer.SetText("one two three");
    const int32_t line = static_cast<int32_t>(std::ceil(Metrics().LineHeight()));
    const double twoWords = Metrics().Advance("one two");
    EXPECT_EQ(fDrawer.MeasureHeight(fPort, static_cast<int32_t>(std::ceil(twoWords)) + 1),
              static_cast<int32_t>(std::ceil(2 * Metrics().LineHeight())));
    EXPECT_EQ(fDrawer.MeasureHeight(fPort, 1000), line);
    EXPECT_GE(fDrawer.MeasureHeight(fPort, 0), static_cast<int32_t>(std::ceil(3 * Metrics().LineHeight())));
}

TEST_F(CTextDrawerTest, SettingEqualValuesAnswersFalse)
{
    LBrushRef red = LBrush::MakeRGB(255, 0, 0);
    EXPECT_TRUE(fDrawer.SetText("x"));
    EXPECT_FALSE(fDrawer.SetText("x"));
    EXPECT_FALSE(fDrawer.SetFont(LFont(0)));
    EXPECT_TRUE(fDrawer.SetColor(red));
    EXPECT_FALSE(fDrawer.SetColor(red));
    EXPECT_TRUE(fDrawer.SetAlignment(CTextDrawer::kAlignRight));
    EXPECT_FALSE(fDrawer.SetAlignment(CTextDrawer::kAlignRight));
    EXPECT_TRUE(fDrawer.SetMode(CTextDrawer::kModeWrapped));
    EXPECT_FALSE(fDrawer.SetMode(CTextDrawer::kModeWrapped));
}

TEST_F(CTextDrawerTest, LineModeHangsBelowTheTopAndBaselineModeSitsOnIt)
{
    fDrawer.SetText("H");
    fDrawer.SetRect(CLRect{10, 40, 190, 90});
    fDrawer.Draw(fPort);
    const auto hanging = InkRows();
    Clear();
    fDrawer.SetMode(CTextDrawer::kModeBaseline);
    fDrawer.Draw(fPort);
    const auto onBaseline = InkRows();
    ASSERT_GE(hanging.first, 0);
    ASSERT_GE(onBaseline.first, 0);
    EXPECT_EQ(hanging.first - onBaseline.first, fDrawer.GetAscent(fPort));
    EXPECT_EQ(onBaseline.second, 40);   // "H" stands on the baseline
}

TEST_F(CTextDrawerTest, ClippedModeDrawsNothingBelowItsRectangle)
{
    fDrawer.SetText("top\nsecond\nthird\nfourth");
    fDrawer.SetMode(CTextDrawer::kModeClipped);
    fDrawer.SetRect(CLRect{0, 0, 200, 20});
    fDrawer.Draw(fPort);
    const auto rows = InkRows();
    EXPECT_GE(rows.first, 0);
    EXPECT_LE(rows.second, 20);
}
