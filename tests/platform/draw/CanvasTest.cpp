#include "platform/draw/Canvas.h"
#include "platform/draw/Bitmap.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
const plat::Color kRedColor{1, 0, 0, 1};
const plat::Color kBlueColor{0, 0, 1, 1};

// Counts the pixels of the bitmap that hold exactly `argb`.
int CountPixels(const plat::Bitmap& bitmap, uint32_t argb)
{
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            count += bitmap.Pixel(x, y) == argb;
    return count;
}

} // namespace

TEST(Canvas, FillRectCoversExactlyItsPixels)
{
    plat::Bitmap bitmap(10, 10);
    {
        plat::Canvas canvas(bitmap);
        canvas.SetFillColor(kRedColor);
        canvas.FillRect({2, 3, 4, 5});
    }
    EXPECT_EQ(bitmap.Pixel(2, 3), kRed);
    EXPECT_EQ(bitmap.Pixel(5, 7), kRed);
    EXPECT_EQ(bitmap.Pixel(1, 3), 0u);
    EXPECT_EQ(bitmap.Pixel(6, 3), 0u);
    EXPECT_EQ(bitmap.Pixel(2, 8), 0u);
    EXPECT_EQ(CountPixels(bitmap, kRed), 20);
}

TEST(Canvas, ClipToRectsDrawsOnlyInsideTheirUnion)
{
    plat::Bitmap bitmap(20, 20);
    plat::Canvas canvas(bitmap);
    canvas.ClipToRects({{0, 0, 5, 5}, {3, 3, 5, 5}, {15, 15, 5, 5}});
    canvas.SetFillColor(kBlueColor);
    canvas.FillRect({0, 0, 20, 20});
    // Edges of each rectangle: last pixel inside, first pixel outside.
    EXPECT_EQ(bitmap.Pixel(4, 0), kBlue);
    EXPECT_EQ(bitmap.Pixel(5, 0), 0u);
    EXPECT_EQ(bitmap.Pixel(7, 7), kBlue);
    EXPECT_EQ(bitmap.Pixel(8, 7), 0u);
    EXPECT_EQ(bitmap.Pixel(7, 8), 0u);
    EXPECT_EQ(bitmap.Pixel(15, 15), kBlue);
    EXPECT_EQ(bitmap.Pixel(14, 15), 0u);
    EXPECT_EQ(bitmap.Pixel(19, 19), kBlue);
    // Overlapping rectangles make a union, not an exclusive or.
    EXPECT_EQ(bitmap.Pixel(4, 4), kBlue);
    EXPECT_EQ(CountPixels(bitmap, kBlue), 25 + 25 - 4 + 25);
}

TEST(Canvas, ClipsFollowTheTransformAndNarrow)
{
    plat::Bitmap bitmap(20, 20);
    plat::Canvas canvas(bitmap);
    canvas.Translate(10, 10);
    canvas.ClipToRects({{-2, -2, 4, 4}});
    canvas.ClipToRect({0, 0, 8, 8});  // narrows to the intersection
    canvas.SetFillColor(kRedColor);
    canvas.FillRect({-10, -10, 20, 20});
    EXPECT_EQ(CountPixels(bitmap, kRed), 4);
    EXPECT_EQ(bitmap.Pixel(10, 10), kRed);
    EXPECT_EQ(bitmap.Pixel(11, 11), kRed);
    EXPECT_EQ(bitmap.Pixel(9, 10), 0u);
    plat::Rect bounds = canvas.ClipBounds();
    EXPECT_DOUBLE_EQ(bounds.x, 0);
    EXPECT_DOUBLE_EQ(bounds.width, 2);
}

TEST(Canvas, EmptyClipDrawsNothing)
{
    plat::Bitmap bitmap(8, 8);
    plat::Canvas canvas(bitmap);
    canvas.SetFillColor(kRedColor);
    canvas.SetStrokeColor(kRedColor);

    canvas.Save();
    canvas.ClipToRects({});
    EXPECT_TRUE(canvas.ClipIsEmpty());
    canvas.FillRect({0, 0, 8, 8});
    canvas.Restore();

    canvas.Save();
    canvas.ClipToRects({{2, 2, 0, 4}, {1, 1, 3, -1}});  // rectangles without pixels
    canvas.FillRect({0, 0, 8, 8});
    canvas.Restore();

    canvas.Save();
    canvas.ClipToNothing();
    canvas.StrokeLine({0, 4}, {8, 4});
    canvas.Restore();
    EXPECT_EQ(CountPixels(bitmap, 0u), 64);

    // Restoring the state gives the whole bitmap back.
    EXPECT_FALSE(canvas.ClipIsEmpty());
    canvas.FillRect({0, 0, 1, 1});
    EXPECT_EQ(bitmap.Pixel(0, 0), kRed);
}

TEST(Canvas, SaveRestoreBringsBackColoursTransformAndBlend)
{
    plat::Bitmap bitmap(10, 10);
    plat::Canvas canvas(bitmap);
    canvas.SetFillColor(kRedColor);
    canvas.Save();
    canvas.SetFillColor(kBlueColor);
    canvas.Translate(5, 5);
    canvas.SetBlendMode(plat::BlendMode::Copy);
    EXPECT_EQ(canvas.SaveDepth(), 1);
    canvas.Restore();
    canvas.Restore();  // unmatched: ignored
    EXPECT_EQ(canvas.SaveDepth(), 0);
    EXPECT_DOUBLE_EQ(canvas.FillColor().red, 1.0);
    EXPECT_EQ(canvas.CurrentBlendMode(), plat::BlendMode::Normal);
    EXPECT_DOUBLE_EQ(canvas.Origin().x, 0.0);
    canvas.FillRect({0, 0, 1, 1});
    EXPECT_EQ(bitmap.Pixel(0, 0), kRed);
}

TEST(Canvas, BlendModesCombineWithTheDestination)
{
    plat::Bitmap bitmap(4, 1);
    bitmap.Fill(0xFF808080u);
    plat::Canvas canvas(bitmap);
    canvas.SetFillColor({1, 0, 0, 0.5});
    canvas.FillRect({0, 0, 1, 1});  // source over: half red on grey
    canvas.SetBlendMode(plat::BlendMode::Copy);
    canvas.FillRect({1, 0, 1, 1});  // replaces, alpha included
    canvas.SetBlendMode(plat::BlendMode::Clear);
    canvas.FillRect({2, 0, 1, 1});
    canvas.SetBlendMode(plat::BlendMode::Multiply);
    canvas.SetFillColor({1, 0, 0, 1});
    canvas.FillRect({3, 0, 1, 1});
    EXPECT_EQ(bitmap.Pixel(0, 0), 0xFFC04040u);
    EXPECT_EQ(bitmap.Pixel(1, 0), 0x80800000u);
    EXPECT_EQ(bitmap.Pixel(2, 0), 0u);
    EXPECT_EQ(bitmap.Pixel(3, 0), 0xFF800000u);
}

TEST(Canvas, StrokesLinesAndRectanglesOnPixelCentres)
{
    plat::Bitmap bitmap(10, 10);
    plat::Canvas canvas(bitmap);
    canvas.SetStrokeColor(kBlueColor);
    canvas.StrokeLine({0, 2.5}, {10, 2.5});
    EXPECT_EQ(CountPixels(bitmap, kBlue), 10);
    EXPECT_EQ(bitmap.Pixel(9, 2), kBlue);
    bitmap.Fill(0);
    canvas.StrokeRect({1.5, 1.5, 5, 5});  // outline from pixel 1 to pixel 6
    EXPECT_EQ(CountPixels(bitmap, kBlue), 20);
    EXPECT_EQ(bitmap.Pixel(1, 1), kBlue);
    EXPECT_EQ(bitmap.Pixel(6, 6), kBlue);
    EXPECT_EQ(bitmap.Pixel(3, 3), 0u);
}

TEST(Canvas, PathsFillAndClearRectErases)
{
    plat::Bitmap bitmap(10, 10);
    plat::Canvas canvas(bitmap);
    canvas.SetFillColor(kRedColor);
    canvas.BeginPath();
    canvas.MoveTo({0, 0});
    canvas.LineTo({10, 0});
    canvas.LineTo({10, 10});
    canvas.ClosePath();
    canvas.FillPath();
    EXPECT_EQ(bitmap.Pixel(9, 1), kRed);
    EXPECT_EQ(bitmap.Pixel(1, 8), 0u);
    canvas.ClearRect({8, 0, 2, 2});
    EXPECT_EQ(bitmap.Pixel(9, 1), 0u);
    EXPECT_EQ(bitmap.Pixel(7, 1), kRed);
}

TEST(Canvas, DrawsBitmapsScaledAndInParts)
{
    plat::Bitmap image(2, 2);
    image.SetPixel(0, 0, kRed);
    image.SetPixel(1, 0, kBlue);
    image.SetPixel(0, 1, kBlue);
    image.SetPixel(1, 1, kRed);
    plat::Bitmap bitmap(8, 8);
    plat::Canvas canvas(bitmap);
    canvas.DrawBitmap(image, {0, 0, 2, 2});
    EXPECT_EQ(bitmap.Pixel(0, 0), kRed);
    EXPECT_EQ(bitmap.Pixel(1, 0), kBlue);
    EXPECT_EQ(bitmap.Pixel(2, 0), 0u);
    canvas.DrawBitmapPart(image, {1, 0, 1, 1}, {4, 4, 2, 2});  // the blue pixel, doubled
    EXPECT_EQ(CountPixels(bitmap, kBlue), 2 + 4);
    EXPECT_EQ(bitmap.Pixel(5, 5), kBlue);
    EXPECT_EQ(bitmap.Pixel(6, 5), 0u);
    canvas.DrawBitmap(plat::Bitmap(), {0, 0, 8, 8});  // an empty image draws nothing
    EXPECT_EQ(bitmap.Pixel(7, 7), 0u);
}

TEST(Canvas, CanvasOverEmptyBitmapIsHarmless)
{
    plat::Bitmap empty;
    plat::Canvas canvas(empty);
    canvas.SetFillColor(kRedColor);
    canvas.FillRect({0, 0, 10, 10});
    EXPECT_TRUE(canvas.ClipIsEmpty());
}

TEST(Canvas, DrawsIntoBitmapsWithPaddedRows)
{
    plat::Bitmap bitmap(3, 3, 32);
    plat::Canvas canvas(bitmap);
    canvas.SetFillColor(kRedColor);
    canvas.FillRect({1, 1, 2, 2});
    EXPECT_EQ(bitmap.Pixel(1, 1), kRed);
    EXPECT_EQ(bitmap.Pixel(2, 2), kRed);
    EXPECT_EQ(bitmap.Pixel(0, 2), 0u);
    EXPECT_EQ(bitmap.Row(1)[3], 0u);  // the padding is never drawn on
    EXPECT_EQ(CountPixels(bitmap, kRed), 4);
}

TEST(Canvas, DegenerateTransformsAreIgnored)
{
    plat::Bitmap bitmap(4, 4);
    plat::Canvas canvas(bitmap);
    canvas.Scale(0, 1);
    canvas.Scale(1, std::numeric_limits<double>::infinity());
    canvas.Translate(std::numeric_limits<double>::quiet_NaN(), 0);
    canvas.SetFillColor(kRedColor);
    canvas.FillRect({0, 0, 1, 1});
    EXPECT_EQ(bitmap.Pixel(0, 0), kRed);  // the canvas still draws, untransformed
    EXPECT_EQ(CountPixels(bitmap, kRed), 1);
}
