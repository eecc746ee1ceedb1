#include "platform/controls/Button.h"
#include "platform/controls/ControlLook.h"
#include "platform/draw/Font.h"
#include "platform/controls/ProgressIndicator.h"
#include "platform/controls/Scroller.h"
#include "platform/controls/Slider.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// The darkest grey of a drawn push button's title tells a button that takes clicks from one that
// does not at a glance.
TEST(PlatControlDrawing, ADisabledButtonsTitleIsPlainlyLighter)
{
    std::string error;
    Ref<Font> font = Ref<Font>::Adopt(Font::Open("DejaVu Sans", 13, false, false, &error));
    ASSERT_TRUE(font) << error;
    auto darkest = [&](bool enabled) {
        Button button(Button::Kind::PushOnOff);
        button.SetSize(60, 22);
        button.SetTitle("Rec");
        button.SetFont(font.Get());
        button.SetEnabled(enabled);
        const Bitmap bitmap = Render(button);
        uint32_t least = 255;
        for (int y = 4; y < 18; ++y)
            for (int x = 12; x < 48; ++x)
                least = std::min(least, bitmap.Pixel(x, y) & 0xFF);
        return least;
    };
    const uint32_t enabled = darkest(true), disabled = darkest(false);
    EXPECT_LT(enabled, 60u);
    EXPECT_GT(disabled, enabled + 80) << "enabled " << enabled << ", disabled " << disabled;
}

// The arrows of a bar point along it: a horizontal bar's arrows stand taller than wide.
TEST(PlatControlDrawing, ScrollerArrowsPointAlongTheBar)
{
    const auto markBox = [](const Bitmap& bitmap, int x0, int y0) {
        int left = 99, right = -1, top = 99, bottom = -1;
        for (int y = y0; y < y0 + 16; ++y)
            for (int x = x0; x < x0 + 16; ++x)
                if ((bitmap.Pixel(x, y) & 0xFF) < 0x60) {
                    left = std::min(left, x - x0), right = std::max(right, x - x0);
                    top = std::min(top, y - y0), bottom = std::max(bottom, y - y0);
                }
        return std::pair{right - left, bottom - top};   // width and height of the mark
    };
    Scroller across;
    across.SetSize(216, 16);
    across.SetValueAndProportion(0.5, 0.25);
    const Bitmap wide = Render(across);
    for (int start : {0, 200}) {
        const auto [width, height] = markBox(wide, start, 0);
        EXPECT_GT(height, width) << "arrow at " << start;
    }
    Scroller down;
    down.SetSize(16, 216);
    down.SetValueAndProportion(0.5, 0.25);
    const auto [width, height] = markBox(Render(down), 0, 0);
    EXPECT_GT(width, height);
}
