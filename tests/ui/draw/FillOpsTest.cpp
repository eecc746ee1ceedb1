#include "tests/ui/draw/DrawTestPort.h"
#include "ui/draw/LBevelOp.h"
#include "ui/draw/LFillRectOp.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LFrameRectOp.h"
#include "ui/draw/LHiliteRing.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr uint32_t kGrey = 0xFF808080u;

// A port filled with mid grey, then one rect filled with the brush in the blend mode.
uint32_t BlendOnGrey(const LBrushRef& brush, uint32_t mode)
{
    DrawTestPort port(2, 1);
    port.bitmap.Fill(kGrey);
    LFillRectOp op({0, 0, 1, 1}, brush);
    op.blendMode = mode;
    op.Draw(port);
    EXPECT_EQ(port.Pixel(1, 0), kGrey);
    EXPECT_EQ(port.canvas.CurrentBlendMode(), plat::BlendMode::Normal);
    return port.Pixel(0, 0);
}

} // namespace

TEST(LBrush, EqualityOfHandles)
{
    EXPECT_TRUE(LBrushRef() == LBrushRef() && LBrush::Make(4) == LBrush::Make(4));
    EXPECT_FALSE(LBrushRef() == LBrush::Make(4) || LBrush::Make(4) == LBrushRef());
    EXPECT_FALSE(LBrush::Make(4) == LBrush::Make(3) || LBrush::MakeRGB(1, 2, 3) == LBrush::MakeRGB(1, 2, 4));
    EXPECT_EQ(LBrush::Make(9)->red, 0);
}

TEST(LFillRectOp, BlendModesOfFills)
{
    LBrushRef white = LBrush::Make(3);
    LBrushRef rgb = LBrush::MakeRGB(0xFF, 0x00, 0x40);
    EXPECT_EQ(BlendOnGrey(white, 0), 0xFFFFFFFFu);
    EXPECT_EQ(BlendOnGrey(white, 4), 0xFFFFFFFFu);          // unknown modes fill normally
    EXPECT_EQ(BlendOnGrey(white, 1), 0xFF7F7F7Fu);          // difference: 0xFF - 0x80
    EXPECT_EQ(BlendOnGrey(rgb, 2), 0xFF800020u);            // multiply
    EXPECT_EQ(BlendOnGrey(rgb, 3), 0xFFFF80A0u);            // screen: 0x40 + 0x80 - 0x40 * 0x80 / 255
}

TEST(LFillRegionOp, FillsEveryRectangleOfTheRegionAndAnEmptyOneNothing)
{
    DrawTestPort port(10, 10);
    LRegion region(CLRect{0, 0, 2, 2});
    region.Union(LRegion(CLRect{1, 1, 4, 4}));  // overlapping: painted once
    LFillRegionOp op(region, LBrush::MakeRGB(0, 0, 0xFF));
    op.Draw(port);
    EXPECT_EQ(port.Count(0xFF0000FFu), 4 + 9 - 1);
    EXPECT_EQ(port.Pixel(4, 4), 0u);
    DrawTestPort empty(4, 4);
    LFillRegionOp none(LRegion(), LBrush::Make(4));
    none.blendMode = 1;
    none.Draw(empty);
    EXPECT_EQ(empty.Count(0u), 16);
    EXPECT_EQ(empty.canvas.CurrentBlendMode(), plat::BlendMode::Normal);
    EXPECT_EQ(empty.canvas.SaveDepth(), 0);
}

TEST(LFrameRectOp, OutlinesTheRectWithItsInsets)
{
    DrawTestPort port(10, 10);
    LFrameRectOp op({1, 1, 9, 9}, LBrush::Make(4));
    op.Draw(port);
    EXPECT_EQ(port.Count(0xFF000000u), 8 * 4 - 4);
    EXPECT_EQ(std::tuple(port.Pixel(1, 1), port.Pixel(8, 8), port.Pixel(2, 2)), std::tuple(0xFF000000u, 0xFF000000u, 0u));
    port.bitmap.Fill(0);
    op.insetX = 2;
    op.insetY = 0;  // no band at top and bottom: only the sides
    op.Draw(port);
    EXPECT_EQ(port.Count(0xFF000000u), 2 * 2 * 8);
}

TEST(LHiliteRing, BandIsFourTimesTheSizeLessTwo)
{
    LHiliteRing ring(1, LRegion(CLRect{0, 0, 10, 10}));
    EXPECT_TRUE(ring.Band().Contains({1, 5}));
    EXPECT_FALSE(ring.Band().Contains({2, 5}));
    DrawTestPort port(10, 10);
    ring.Draw(port);
    EXPECT_NE(port.Pixel(0, 0), 0u);
    EXPECT_EQ(port.Pixel(5, 5), 0u);
    EXPECT_EQ(port.Pixel(0, 0), port.Pixel(9, 9));
}

TEST(LBevelOp, EdgesTakeTheirBrushes)
{
    DrawTestPort port(10, 10);
    LBevelOp({0, 0, 10, 10}, LBrush::Make(4), LBrush::Make(3)).Draw(port);
    // The top edge runs to the right end, the bottom edge from the left end.
    const std::tuple<int, int, uint32_t> pixels[] = {{0, 0, 0xFF000000u}, {9, 0, 0xFF000000u}, {0, 8, 0xFF000000u},
        {0, 9, 0xFFFFFFFFu}, {9, 9, 0xFFFFFFFFu}, {9, 1, 0xFFFFFFFFu}, {5, 5, 0u}};
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(port.Pixel(x, y), colour) << x << "," << y;
}
