#pragma once
#include "controls/edit/LEditText.h"
#include "controls/panels/CColorSwatchPane.h"
#include "controls/panels/ColorSpace.h"
#include "controls/std/CSlider.h"
#include "controls/std/LStdButton.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

#include <array>
#include <memory>

namespace plat {
class ColorPanel;
}

// The colour panel as the user sees it: a modal window with the colour it opened with and the
// colour picked side by side, a slider and a number field for each of hue, saturation, value,
// red, green and blue, and a hexadecimal field ("#RRGGBB"). Every change the user makes is
// picked at once on the panel (its action runs); OK and the close box keep the colour picked,
// Cancel answers that the user cancelled.
class CColorPanelWindow : public LModalDialog {
public:
    static const char* const kResName;   // "CCOLORPANEL"
    enum Channel : int { kHue, kSaturation, kValue, kRed, kGreen, kBlue, kChannels };

    CColorPanelWindow(LHandler* parent, plat::ColorPanel& panel);
    ~CColorPanelWindow() override;

    // Shows the panel until the user answers: 1 kept, 0 cancelled (the close box answers the
    // panel's close code).
    int Run();

    CSlider& Slider(int channel) { return fRows[size_t(channel)]->slider; }
    LEditText& Field(int channel) { return fRows[size_t(channel)]->field; }
    LEditText& HexField() { return fHex; }
    CColorSwatchPane& Swatches() { return fSwatches; }
    LStdButton& OkButton() { return fOk; }
    LStdButton& CancelButton() { return fCancel; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    struct Row {
        explicit Row(CColorPanelWindow* window);
        LCaptionPane caption;
        CSlider slider;
        LEditText field;
    };

    void SetTexts();
    void PlacePanes();
    // The width of the captions left of the sliders: the widest caption in its font.
    int32_t LabelWidth();
    // A new colour from one control: picked on the panel, shown by every other control.
    void Pick(const RgbColor& rgb, const HsvColor& hsv, const LPane* source);
    void ChannelChanged(int channel, int32_t value, const LPane* source);
    void ShowColor(const LPane* source);
    // A channel's value as its slider and field show it.
    int32_t ShownValue(int channel) const;
    bool HandleControl(const LMessage& msg);
    bool CloseBox();

    plat::ColorPanel& fPanel;
    RgbColor fOriginal;
    RgbColor fColor;
    HsvColor fHsv;
    // Set while the window itself writes its controls, whose reports are then not the user's.
    bool fShowing = false;
    int fCloseCode = -1;
    // Made empty before any pane, which reports to the window as it is made; filled after.
    std::array<std::unique_ptr<Row>, kChannels> fRows;
    CColorSwatchPane fSwatches;
    LCaptionPane fHexLabel;
    LEditText fHex;
    LStdButton fOk;
    LStdButton fCancel;
};
