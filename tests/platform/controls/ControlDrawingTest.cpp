#include "platform/controls/ControlLook.h"
#include "platform/controls/ProgressIndicator.h"
#include "platform/controls/Scroller.h"
#include "platform/controls/Slider.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

uint32_t Argb(const Color& c)
{
    const auto byte = [](double v) { return static_cast<uint32_t>(v * 255 + 0.5); };
    return 0xFF000000u | byte(c.red) << 16 | byte(c.green) << 8 | byte(c.blue);
}

Bitmap Render(const Control& control)
{
    Bitmap bitmap(static_cast<int>(control.Width()), static_cast<int>(control.Height()));
    Canvas canvas(bitmap);
    canvas.SetAntialias(false);
    control.Draw(canvas);
    return bitmap;
}

} // namespace

TEST(PlatControlDrawing, ProgressBarFillsItsFraction)
{
    ProgressIndicator bar;
    bar.SetSize(102, 10);
    bar.SetIndeterminate(false);
    bar.SetValue(50);
    const Bitmap bitmap = Render(bar);
    EXPECT_EQ(bitmap.Pixel(2, 5), Argb(ControlLook::kAccent));
    EXPECT_EQ(bitmap.Pixel(50, 5), Argb(ControlLook::kAccent));
    EXPECT_EQ(bitmap.Pixel(52, 5), Argb(ControlLook::kWhite));
    EXPECT_EQ(bitmap.Pixel(0, 0), Argb(ControlLook::kEdge));
}

TEST(PlatControlDrawing, SliderKnobSitsAtItsValue)
{
    Slider slider;
    slider.SetSize(116, 20);
    slider.SetMaxValue(100);
    slider.SetValue(50);
    const Bitmap bitmap = Render(slider);
    EXPECT_EQ(bitmap.Pixel(58, 10), Argb(ControlLook::kWhite));      // knob centre
    EXPECT_EQ(bitmap.Pixel(20, 10), Argb(ControlLook::kTrack));      // bare track
}

TEST(PlatControlDrawing, ScrollerKnobFollowsItsValue)
{
    Scroller bar;
    bar.SetSize(16, 216);
    bar.SetValueAndProportion(1, 0.25);
    const Bitmap bitmap = Render(bar);
    EXPECT_EQ(bitmap.Pixel(8, 190), Argb(ControlLook::kWhite));      // knob at the end of the slot
    EXPECT_EQ(bitmap.Pixel(8, 100), Argb(ControlLook::kTrack));
}

TEST(PlatControlDrawing, TheFocusRingFramesAFocusedControlOnly)
{
    Slider slider;
    slider.SetSize(116, 20);
    for (const bool focused : {false, true}) {
        slider.SetShowsFocus(focused);
        Bitmap bitmap(116, 20);
        Canvas canvas(bitmap);
        canvas.SetAntialias(false);
        slider.Draw(canvas);
        slider.DrawFocusRing(canvas);
        EXPECT_EQ(bitmap.Pixel(1, 10) == Argb(ControlLook::kAccent), focused);
        EXPECT_EQ(bitmap.Pixel(58, 1) == Argb(ControlLook::kAccent), focused);
    }
}
