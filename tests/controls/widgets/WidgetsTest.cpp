#include "controls/widgets/CColorBtn.h"
#include "controls/widgets/CLevelMeter.h"
#include "controls/widgets/CPadPane.h"
#include "foundation/async/LTicks.h"
#include "foundation/input/LMouse.h"
#include "tests/ui/draw/DrawTestPort.h"
#include "tests/ui/frames/FrameTestKit.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kGreen = 0xFF00FF00;

class WidgetsTest : public ::testing::Test {
protected:
    void Mouse(const char* type, LHandler* to, int32_t x, int32_t y)
    {
        fMouse.location = {x, y};
        LMessage::Send(LMessage(type, &fMouse, to));
    }

    LMouse fMouse;
    ConsumingRecorder fTop;
    RootFrame fRoot{&fTop};
};

} // namespace

TEST_F(WidgetsTest, LevelMeterPixelsAtZeroAndFullScale)
{
    CLevelMeter meter(&fRoot);
    meter.SetRect({5, 5, 15, 105});
    EXPECT_TRUE(meter.Flags() & kPaneTransparent);
    {
        DrawTestPort port(30, 110);
        meter.DrawSelf(port);
        EXPECT_EQ(port.Count(kGreen), 0) << "nothing lit at 0";
    }
    meter.SetLevel(99);
    EXPECT_EQ(meter.Level(), 10) << "above the maximum shows a full bar";
    {
        DrawTestPort port(30, 110);
        meter.DrawSelf(port);
        EXPECT_EQ(port.Count(kGreen), 10 * 100);
        EXPECT_EQ(port.Pixel(5, 5), kGreen);
        EXPECT_EQ(port.Pixel(14, 104), kGreen);
        EXPECT_EQ(port.Pixel(15, 104), 0u);
    }
    meter.SetLevel(5);
    {
        DrawTestPort port(30, 110);
        meter.DrawSelf(port);
        EXPECT_EQ(port.Count(kGreen), 10 * 50) << "half scale stands from the bottom";
        EXPECT_EQ(port.Pixel(10, 55), kGreen);
        EXPECT_EQ(port.Pixel(10, 54), 0u);
    }
    meter.SetLevel(-3);
    EXPECT_EQ(meter.Level(), 0);
}

TEST_F(WidgetsTest, LevelMeterGrowsFromTheLeftUnlessTallerThanWide)
{
    CLevelMeter meter(&fRoot);
    meter.SetRect({0, 0, 100, 8});
    meter.SetLevel(3);
    EXPECT_EQ(meter.BarRect(3), (CLRect{0, 0, 30, 8}));
    meter.SetRect({0, 0, 20, 20});
    EXPECT_EQ(meter.BarRect(10), (CLRect{0, 0, 20, 20})) << "square grows from the left";
    meter.SetBaseLength(4);
    EXPECT_EQ(meter.BarRect(0), (CLRect{0, 0, 4, 20}));
    meter.SetMax(0);
    EXPECT_EQ(meter.BarRect(7), (CLRect{0, 0, 4, 20})) << "without a maximum only the base shows";
    EXPECT_EQ(meter.PrefWidth(nullptr, 0), 8);
}

TEST_F(WidgetsTest, LevelMeterRedrawsOnlyTheChangedStrip)
{
    RecordingPane host(&fTop, nullptr);
    CLevelMeter meter(&host);
    meter.SetRect({0, 0, 100, 10});
    meter.SetState(kEventHostShow);
    host.updates.clear();
    meter.SetLevel(6);
    ASSERT_EQ(host.updates.size(), 1u);
    EXPECT_TRUE(host.updates[0].Equals(LRegion(CLRect{0, 0, 60, 10})));
    EXPECT_TRUE(host.erases[0].IsEmpty()) << "a rising level paints over";
    meter.SetLevel(2);
    EXPECT_TRUE(host.erases[1].Equals(LRegion(CLRect{20, 0, 60, 10}))) << "a falling one erases";
}

TEST_F(WidgetsTest, LevelMeterDecaysOneStepPerPeriod)
{
    CLevelMeter meter(&fRoot);
    meter.SetLevel(10);
    meter.SetNextDecay(LTicks::Now() - 120); // period 50 ms: three steps are due
    LMessage::Send(LMessage(LTimer::msgExpire, &meter.DecayTimer(), &meter));
    EXPECT_EQ(meter.Level(), 7);
    EXPECT_TRUE(meter.DecayTimer().IsArmed());
    meter.DecayTimer().Stop(); // as when it fires
    meter.SetNextDecay(LTicks::Now() - 5000);
    LMessage::Send(LMessage(LTimer::msgExpire, &meter.DecayTimer(), &meter));
    EXPECT_EQ(meter.Level(), 0);
    EXPECT_FALSE(meter.DecayTimer().IsArmed()) << "at 0 the timer stops";
}

TEST_F(WidgetsTest, ColourButtonReportsOnlyReleasesInside)
{
    CColorBtn button(&fRoot);
    button.SetRect({10, 10, 40, 30});
    Mouse("LMouse_Click", &button, 20, 20);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_EQ(fTop.Count("LPane_ReqCapture"), 1);
    Mouse("LMouse_Move", &button, 60, 20);
    EXPECT_FALSE(button.IsPressed()) << "pressed only while the mouse is inside";
    Mouse("LMouse_Release", &button, 60, 20);
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(fTop.Count("CColorBtn::rSelected"), 0);
    Mouse("LMouse_Click", &button, 20, 20);
    Mouse("LMouse_Release", &button, 39, 29);
    EXPECT_EQ(fTop.Count("CColorBtn::rSelected"), 1);
}

TEST_F(WidgetsTest, ColourButtonPaintsItsFaceAndOutline)
{
    CColorBtn button(&fRoot);
    button.SetRect({0, 0, 20, 20});
    button.SetColor(255, 0, 0);
    EXPECT_EQ(button.PrefWidth(nullptr, 0), 5);
    DrawTestPort port(24, 24);
    button.DrawSelf(port);
    EXPECT_EQ(port.Pixel(10, 10), 0xFFFF0000u) << "the face";
    EXPECT_EQ(port.Pixel(0, 5), 0xFF000000u) << "the outline";
    EXPECT_EQ(port.Pixel(19, 10), 0xFF000000u) << "the shadow";
    EXPECT_EQ(port.Pixel(19, 19), 0u);
    EXPECT_EQ(port.Pixel(0, 0), 0u) << "rounded corner";
    EXPECT_TRUE(button.Shape(true).Contains({10, 19}));
    EXPECT_FALSE(button.Shape(true).Contains({19, 19})) << "pressed: no shadow";
}

TEST_F(WidgetsTest, PadLimitsThePointToItsSize)
{
    CPadPane even(&fRoot);
    even.SetRect({0, 0, 100, 60});
    even.SetPointClamped(1000, -1000);
    EXPECT_EQ(even.Point(), (CLPoint{50, -30}));
    even.SetPointClamped(-1000, 1000);
    EXPECT_EQ(even.Point(), (CLPoint{-50, 30}));
    CPadPane odd(&fRoot);
    odd.SetRect({0, 0, 101, 61});
    odd.SetPointClamped(1000, -1000);
    EXPECT_EQ(odd.Point(), (CLPoint{51, -30}));
    odd.SetPointClamped(-1000, 1000);
    EXPECT_EQ(odd.Point(), (CLPoint{-50, 31}));
    fTop.seen.clear();
    odd.SetRect({0, 0, 21, 21});
    EXPECT_EQ(odd.Point(), (CLPoint{-10, 11})) << "a size change limits the point";
    EXPECT_EQ(fTop.Count("CPadPane_Change"), 1);
}

TEST_F(WidgetsTest, PadClickFollowsTheMouseUntilTheNextClick)
{
    CPadPane pad(&fRoot);
    pad.SetRect({10, 10, 110, 110});
    fTop.seen.clear();
    Mouse("LMouse_Click", &pad, 70, 40);
    EXPECT_EQ(pad.Point(), (CLPoint{10, -20}));
    EXPECT_TRUE(pad.IsFollowing());
    EXPECT_EQ(fTop.Count("CPadPane_Change"), 1);
    Mouse("LMouse_Cursor", &pad, 80, 40);
    EXPECT_EQ(pad.Point(), (CLPoint{20, -20})) << "hovering moves the point";
    Mouse("LMouse_Move", &pad, 60, 60);
    EXPECT_FALSE(pad.IsFollowing()) << "a drag ends following";
    Mouse("LMouse_Cursor", &pad, 90, 90);
    EXPECT_EQ(pad.Point(), (CLPoint{0, 0}));
    EXPECT_EQ(fTop.Count("CPadPane_Change"), 3);
}

TEST_F(WidgetsTest, ColourPadDrawsALineToThePoint)
{
    CPadPane2 pad(&fRoot);
    pad.SetRect({0, 0, 40, 40});
    EXPECT_TRUE(pad.SetPoint(-20, -20));
    EXPECT_FALSE(pad.SetPoint(-20, -20));
    DrawTestPort port(40, 40);
    pad.DrawSelf(port);
    EXPECT_EQ(port.Pixel(35, 5), 0xFF000000u) << "black field";
    EXPECT_NE(port.Pixel(20, 5), 0xFF000000u) << "the centre line";
    EXPECT_NE(port.Pixel(10, 20), 0xFF000000u) << "the line from the point to the bottom centre";
}
