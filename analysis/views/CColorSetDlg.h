#pragma once
#include "controls/std/CSlider.h"
#include "controls/widgets/CColorBtn.h"
#include "controls/widgets/CPadPane.h"
#include "ui/dialogs/LDialog.h"
#include "ui/panes/LCaptionPane.h"

class LObject;
struct LObjChange;

// The floating colour window: five colour buttons for the background, grid, waveform, spectrum
// and cursor colours, sliders for the cursor and event-label opacities, the colour scale and
// the perspective, and a pad for the trail's shear. Every control writes its field of the
// colour record at once; the controls follow the record whenever the preferences report a
// change of it.
class CColorSetDlg : public LDialog {
public:
    static const char* const kResName;   // "COLORSETDLG"
    static constexpr int kColorButtons = 5;

    // `colors` is the 'COLS' record the window edits; it must outlive the window. The window
    // is made hidden; its owner places and shows it.
    CColorSetDlg(LHandler* parent, LObject* colors);
    ~CColorSetDlg() override;

    // Sets every control from the record.
    void Refresh();

    CColorBtn& ColorButton(int k) { return fColors[k].button; }
    CSlider& Slider(int k) { return *fSliders[k]; }
    CPadPane2& Pad() { return fPad; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // Slider 3 shows the colour scale f as round(sqrt(f / 2) x 100); v goes back as 2 x (v / 100)^2.
    static int32_t ScaleSlider(float clsc);
    static float ScaleValue(int32_t slider);
    // The pad point of the trail's shear and back; a pad under one pixel maps to nothing.
    static int32_t PadX(float trdh, int32_t width);
    static int32_t PadY(float trdv, int32_t height);
    static bool ShearX(int32_t x, int32_t width, float& trdh);
    static bool ShearY(int32_t y, int32_t height, float& trdv);

private:
    struct ColorRow {
        explicit ColorRow(CColorSetDlg* dialog);
        LCaptionPane caption;
        CColorBtn button;
    };
    static void PrefsChanged(void* context, LObjChange& notice);
    static void ColorPicked(void* argument, uint8_t red, uint8_t green, uint8_t blue);
    void PickColor(int k);
    void SliderChanged(int k);
    void PadChanged();

    LObject* fRecord;
    ColorRow fColors[kColorButtons];
    LCaptionPane fCaption6;
    CSlider fSlider1;
    LCaptionPane fCaption7;
    CSlider fSlider2;
    LCaptionPane fCaption8;
    CSlider fSlider3;
    LCaptionPane fCaption9;
    CSlider fSlider4;
    LCaptionPane fCaption10;
    CPadPane2 fPad;
    CSlider* fSliders[4];
    CLRect fPadRect;   // the pad's rectangle when its point was last set from the record
    int fPicking = -1;
    bool fObserving = false;
};
