#include "platform/draw/ThemeFrames.h"
#include "tests/ui/draw/DrawTestPort.h"
#include "ui/draw/LBevelFrame.h"
#include "ui/draw/LListBoxFrame.h"
#include "ui/draw/LRingFrame.h"
#include "ui/draw/LThemeFrame.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const CLRect kRect{10, 10, 20, 20};

LRegion AddedArea(const LFrameDecor& decor, uint32_t state)
{
    LRegion update, erase;
    decor.AddFrameArea(kRect, state, update, erase);
    EXPECT_TRUE(update.Equals(erase));
    return update;
}

} // namespace

TEST(FrameDecor, ThemeBandsAroundTheRectAndRingsOnlyWhenShownActiveAndFocused)
{
    LThemeFrame frame;
    LRegion band = frame.FrameRegion(kRect);
    EXPECT_EQ(band.GetBounds(), (CLRect{6, 6, 24, 24}));
    EXPECT_TRUE(band.Contains({10, 15}) && !band.Contains({11, 15}));  // the rect's outermost pixel ring belongs to it
    EXPECT_TRUE(frame.Touches(LRegion(CLRect{0, 0, 7, 7}), kRect) && !frame.Touches(LRegion(CLRect{0, 0, 6, 6}), kRect));
    EXPECT_TRUE(AddedArea(frame, 0).IsEmpty());
    EXPECT_TRUE(AddedArea(frame, 0x4).Equals(band));
    LRingFrame ring(3);
    EXPECT_TRUE(AddedArea(ring, 0x3).IsEmpty());
    LRegion ringBand = AddedArea(ring, 0x7);
    EXPECT_EQ(ringBand.GetBounds(), (CLRect{7, 7, 23, 23}));
    EXPECT_TRUE(ringBand.Contains({9, 10}) && !ringBand.Contains({10, 10}));

    DrawTestPort port(30, 30);
    ring.Draw(port, kRect, 0x3);
    EXPECT_EQ(port.Count(0u), 900);
    ring.Draw(port, kRect, 0x7);
    EXPECT_NE(port.Pixel(7, 7), 0u);
    EXPECT_EQ(std::pair(port.Pixel(6, 6), port.Pixel(10, 10)), std::pair(0u, 0u));
}

TEST(LListBoxFrame, FlagsZeroAddNothingAndFocusNeedsActive)
{
    LListBoxFrame frame;
    EXPECT_EQ(frame.FrameWidth(), 4);
    EXPECT_TRUE(AddedArea(frame, 0).IsEmpty() && !AddedArea(frame, 0x1).IsEmpty());

    DrawTestPort focusedOnly(30, 30), plain(30, 30), focused(30, 30);
    frame.Draw(focusedOnly, kRect, 0x4);
    frame.Draw(plain, kRect, 0x0);
    frame.Draw(focused, kRect, 0x6);
    // 0x4 alone: an inactive, unfocused frame, the same as no flags.
    EXPECT_EQ(focusedOnly.Pixel(9, 15), 0xFF000000u | plat::ThemeColors::kEdgeInactive);
    EXPECT_EQ(focusedOnly.Pixel(7, 15), 0u);
    EXPECT_EQ(plain.Pixel(9, 15), focusedOnly.Pixel(9, 15));
    EXPECT_EQ(focused.Pixel(9, 15), 0xFF000000u | plat::ThemeColors::kEdgeDark);
    EXPECT_NE(focused.Pixel(7, 15), 0u);
    EXPECT_EQ(focused.canvas.SaveDepth(), 0);
}

TEST(LBevelFrame, PaintsOnePixelOutsideTheRect)
{
    LBevelFrame bevel;
    EXPECT_TRUE(AddedArea(bevel, 0x4).IsEmpty() && !AddedArea(bevel, 0x2).IsEmpty());
    for (uint32_t state : {0x2u, 0x1u}) {
        DrawTestPort port(20, 20);
        LOriginScope origin(port.OffsetOrigin(5, 5));
        bevel.Draw(port, {0, 0, 10, 10}, state);
        uint32_t topLeft = state & 0x2 ? 0xFF808080u : 0xFFC0C0C0u;
        EXPECT_EQ(std::tuple(port.Pixel(4, 4), port.Pixel(4, 10), port.Pixel(15, 15), port.Pixel(15, 10),
                             port.Pixel(5, 5), port.Pixel(14, 14)),
                  std::tuple(topLeft, topLeft, 0xFFFFFFFFu, 0xFFFFFFFFu, 0u, 0u)) << state;
    }
}
