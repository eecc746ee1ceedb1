#include "tests/ui/frames/FrameTestKit.h"
#include "ui/draw/LBitmapContext.h"
#include "ui/draw/LOffscreen.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

uint32_t PixelAt(const LOffscreen& offscreen, int x, int y)
{
    const uint8_t* row = offscreen.PixelBuffer() + size_t(y) * offscreen.RowBytes();
    return reinterpret_cast<const uint32_t*>(row)[x];
}

TEST(LFrameDraw, BackgroundChildrenAndFocusRingLandInFrameCoordinates)
{
    ConsumingRecorder top;
    LFrame frame(&top, nullptr);
    for (int32_t e : {kEventHostShow, kEventActivate, kEventKeyWindow, kEventFocus})
        frame.SetState(e);
    frame.SetRect({10, 10, 50, 30});
    frame.SetBackground(CColorRef(CColor::Grey(4)));
    BlackPane black(&frame, &frame);
    black.SetRect({0, 0, 4, 4});
    StopPane stop(&frame, {20, 5, 30, 15});
    stop.SetState(kEventTakeFocusOuter);
    stop.AdvanceFocus(LFocusDir::Forward, LFocusRestart::Yes);
    ASSERT_TRUE(stop.Flags() & kPaneFocusShown);

    LOffscreen offscreen;
    offscreen.Create(60, 40, 32, false, LOffscreen::kPremultipliedAlpha);
    ASSERT_TRUE(offscreen.IsValid());
    {
        LBitmapContext port(offscreen);
        frame.DrawSelf(port);
        EXPECT_EQ(port.Origin(), (CLPoint{0, 0})) << "origin and clip come back";
    }
    // Nothing outside the frame (its right edge is exclusive), the background up to its last pixel,
    // the child at the frame's top-left, the background again inside the focused pane.
    const std::tuple<int, int, uint32_t> pixels[] = {{0, 0, 0u}, {50, 20, 0u}, {49, 29, 0xFFFFFFFFu},
        {10, 10, 0xFF000000u}, {14, 14, 0xFFFFFFFFu}, {35, 20, 0xFFFFFFFFu}};
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(PixelAt(offscreen, x, y), colour) << x << "," << y;
    const uint32_t ring = PixelAt(offscreen, 28, 20);   // frame x 18: the outer ring's left band
    EXPECT_NE(ring, 0xFFFFFFFFu);
    EXPECT_GT(ring & 0xFF, (ring >> 16) & 0xFF) << "the focus colour is blue";
    EXPECT_EQ(PixelAt(offscreen, 26, 20), 0xFFFFFFFFu) << "the ring is 3 wide";
}

TEST(LFrameDraw, OnlyUpdatedAreasKeepTheirPixels)
{
    ConsumingRecorder top;
    RecordingPane host(&top, nullptr);
    host.SetState(kEventHostShow);
    LFrame frame(&host, &host);
    frame.SetState(kEventHostShow);
    frame.SetRect({0, 0, 20, 20});
    frame.SetBackground(CColorRef(CColor::Grey(4)));
    frame.Invalidate(LRegion(CLRect{0, 0, 10, 20}), LRegion());

    LOffscreen offscreen;
    offscreen.Create(20, 20, 32, false, LOffscreen::kPremultipliedAlpha);
    {
        LBitmapContext port(offscreen);
        frame.DrawSelf(port);
    }
    EXPECT_EQ(std::pair(PixelAt(offscreen, 5, 5), PixelAt(offscreen, 15, 5)), std::pair(0u, 0xFFFFFFFFu))
        << "updated without erase: not filled";
    EXPECT_TRUE(frame.NoEraseRegion().IsEmpty()) << "a draw empties the no-erase region";
}

} // namespace
