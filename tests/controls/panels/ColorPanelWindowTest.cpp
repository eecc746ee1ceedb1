#include "controls/panels/CColorDialog_Cca.h"
#include "controls/panels/CColorPanelRunner.h"
#include "controls/panels/CColorPanelWindow.h"
#include "controls/panels/ColorSpace.h"
#include "platform/window/WindowServer.h"
#include "tests/shell/app/AppBaseKit.h"
#include "tests/support/PaneScreen.h"
#include "ui/windows/LWindow.h"

#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using Bytes = std::array<uint8_t, 3>;
using Seen = std::vector<Bytes>;

CLPoint Centre(const CLRect& r)
{
    return CLPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void KeepColor(void* argument, uint8_t red, uint8_t green, uint8_t blue)
{
    static_cast<Seen*>(argument)->push_back({red, green, blue});
}

// The program's own colour panel behind the colour dialog; the user acts each time the
// program waits for input.
class ColorPanelTest : public AppBaseTest {
protected:
    ColorPanelTest() { InstallColorPanelRunner(); }
    ~ColorPanelTest() override { RemoveColorPanelRunner(); }
    static CColorPanelWindow* Panel()
    {
        LWindow* window = LWindow::FindByNative(plat::WindowServer::Shared().KeyWindow());
        return window ? dynamic_cast<CColorPanelWindow*>(window->GetOwner()) : nullptr;
    }
    void PostClick(const plat::Point& where)
    {
        fDriver.PostMouse(plat::EventType::LeftMouseDown, where);
        fDriver.PostMouse(plat::EventType::LeftMouseUp, where);
    }
    // A click at the left or right end of a channel's slider.
    void ClickSliderEnd(int channel, bool right)
    {
        const CLRect r = Panel()->Slider(channel).Rect();
        PostClick(ScreenPoint(Panel()->Slider(channel), CLPoint{right ? r.right - 1 : r.left + 1, (r.top + r.bottom) / 2}));
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            PostKey(std::string(1, c), 0);
    }
    static std::string FieldText(LEditText& field) { return std::string(field.GetText().View()); }
    // Runs the colour dialog on a colour with the user's actions: whether it was accepted.
    bool Run(Bytes start, Seen& seen, std::vector<std::function<void()>> actions)
    {
        appDriver.PlayWhenIdle(std::move(actions));
        CColorDialog_Cca dialog;
        dialog.SetColor(start[0], start[1], start[2]);
        dialog.Run(&seen, &KeepColor);
        return dialog.IsAccepted();
    }
};

} // namespace

TEST_F(ColorPanelTest, AHexColourTypedIsReportedOnceWholeAndShownByEveryControl)
{
    Seen seen;
    std::string opened, hue, red;
    int redSlider = -1;
    const bool accepted = Run({0x20, 0x40, 0x60}, seen, {
        [&] { opened = FieldText(Panel()->HexField()); Type("#ff8000"); },
        [&] { hue = FieldText(Panel()->Field(CColorPanelWindow::kHue));
              red = FieldText(Panel()->Field(CColorPanelWindow::kRed));
              redSlider = Panel()->Slider(CColorPanelWindow::kRed).GetValue();
              PressReturn(); },
    });
    EXPECT_EQ(opened, "#204060");
    EXPECT_EQ(seen, (Seen{{0xFF, 0x80, 0x00}})) << "partial texts are no colour";
    EXPECT_EQ(hue, "30");
    EXPECT_EQ(red, "255");
    EXPECT_EQ(redSlider, 255);
    EXPECT_TRUE(accepted);
}

TEST_F(ColorPanelTest, SlidersReportEveryMoveAndTheCloseBoxKeepsTheColour)
{
    Seen seen;
    std::string hex;
    const bool accepted = Run({0x20, 0x40, 0x60}, seen, {
        [&] { ClickSliderEnd(CColorPanelWindow::kRed, true); },
        [&] { ClickSliderEnd(CColorPanelWindow::kBlue, false); },
        [&] { ClickSliderEnd(CColorPanelWindow::kBlue, false); },     // no change: nothing reported
        [&] { ClickSliderEnd(CColorPanelWindow::kValue, false); },    // black
        [&] { hex = FieldText(Panel()->HexField());
              fDriver.CloseByUser(*Panel()->Window()->Native());
              Nudge(0); },                                            // the close box is no event: wake the step
    });
    EXPECT_EQ(seen, (Seen{{0xFF, 0x40, 0x60}, {0xFF, 0x40, 0x00}, {0, 0, 0}}));
    EXPECT_EQ(hex, "#000000");
    EXPECT_TRUE(accepted) << "the close box counts as OK";
}

TEST_F(ColorPanelTest, TheOriginalSampleTakesTheColourBackEscapeCancelsAndASecondOwnerWaits)
{
    Seen seen, other;
    bool otherAccepted = true;
    const bool accepted = Run({10, 20, 30}, seen, {
        [&] { CColorDialog_Cca second;                 // another colour button clicked meanwhile
              second.Run(&other, &KeepColor);
              otherAccepted = second.IsAccepted();
              Type("000000"); },
        [&] { PostClick(ScreenPoint(Panel()->Swatches(), Centre(Panel()->Swatches().OriginalRect()))); },
        [&] { PressEscape(); },
    });
    EXPECT_EQ(seen, (Seen{{0, 0, 0}, {10, 20, 30}}));
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(otherAccepted);
    EXPECT_TRUE(other.empty());
}

TEST(ColorSpace, HexTextsAndHsvConversions)
{
    const struct {
        const char* text;
        bool valid;
        Bytes rgb;
    } hexes[] = {
        {"#FF8000", true, {255, 128, 0}}, {"ff8000", true, {255, 128, 0}}, {" #00fF0a ", true, {0, 255, 10}},
        {"#FF800", false, {}}, {"#FF80001", false, {}}, {"#GG0000", false, {}}, {"", false, {}}, {"##FF8000", false, {}},
    };
    for (const auto& row : hexes) {
        const auto rgb = ParseHex(row.text);
        ASSERT_EQ(rgb.has_value(), row.valid) << row.text;
        if (rgb) {
            EXPECT_EQ((Bytes{ComponentByte(rgb->red), ComponentByte(rgb->green), ComponentByte(rgb->blue)}), row.rgb) << row.text;
        }
    }
    EXPECT_EQ(HexText({1.0, 0.5, 0.0}), "#FF8000");
    EXPECT_EQ(HexText({std::nan(""), 2.0, -1.0}), "#00FF00") << "out of range and not a number";

    const struct {
        RgbColor rgb;
        HsvColor previous;
        HsvColor hsv;
    } colours[] = {
        {{1, 0, 0}, {}, {0, 100, 100}},
        {{0, 1, 0}, {}, {120, 100, 100}},
        {{0, 0, 1}, {}, {240, 100, 100}},
        {{1, 0, 1}, {}, {300, 100, 100}},
        {{0.5, 0.5, 0.5}, {200, 40, 0}, {200, 0, 50}},   // a grey keeps the hue it had
        {{0, 0, 0}, {200, 40, 70}, {200, 40, 0}},        // black keeps hue and saturation
    };
    for (const auto& row : colours) {
        const HsvColor hsv = HsvFromRgb(row.rgb, row.previous);
        EXPECT_NEAR(hsv.hue, row.hsv.hue, 1e-9);
        EXPECT_NEAR(hsv.saturation, row.hsv.saturation, 1e-9);
        EXPECT_NEAR(hsv.value, row.hsv.value, 1e-9);
        const RgbColor back = RgbFromHsv(hsv);
        EXPECT_NEAR(back.red, row.rgb.red, 1e-9);
        EXPECT_NEAR(back.green, row.rgb.green, 1e-9);
        EXPECT_NEAR(back.blue, row.rgb.blue, 1e-9);
    }
    EXPECT_NEAR(RgbFromHsv({360, 100, 100}).red, 1.0, 1e-9) << "360 degrees is red again";
}
