#include "analysis/views/CColorSetDlg.h"
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/CColorScheme.h"
#include "controls/panels/CColorDialog_Cca.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/LObjChange.h"
#include "foundation/text/LStrList.h"
#include "shell/windows/CPanelWindowKind.h"
#include "ui/windows/LWindowDef.h"

#include <algorithm>
#include <cmath>
#include <string>

const char* const CColorSetDlg::kResName = "COLORSETDLG";

namespace {

constexpr uint32_t kColorPanelKind = 1;
constexpr uint8_t kFirstColorField = kColsCbkg;

LWindowDef ColorWindowDef()
{
    LRef kind(new CPanelWindowKind(kColorPanelKind, 0));
    return LWindowDef(LWindowDef::kLayerFloating, static_cast<const CNativeWindowKind*>(kind.Get()));
}

int32_t RoundHalfAway(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int32_t(std::clamp(std::trunc(v + std::copysign(0.5, v)), -1.0e9, 1.0e9));
}

} // namespace

CColorSetDlg::ColorRow::ColorRow(CColorSetDlg* dialog) : caption(dialog, dialog, 0), button(dialog) {}

CColorSetDlg::CColorSetDlg(LHandler* parent, LObject* colors)
    : LDialog(parent, nullptr, ColorWindowDef()), fRecord(colors), fColors{ColorRow(this), ColorRow(this), ColorRow(this),
                                                                          ColorRow(this), ColorRow(this)},
      fCaption6(this, this, 0), fSlider1(this), fCaption7(this, this, 0), fSlider2(this), fCaption8(this, this, 0),
      fSlider3(this), fCaption9(this, this, 0), fSlider4(this), fCaption10(this, this, 0), fPad(this),
      fSliders{&fSlider1, &fSlider2, &fSlider3, &fSlider4}
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    for (int k = 0; k < kColorButtons; ++k)
        SetCaption(fColors[k].caption, texts.GetItem(uint32_t(k + 1)));
    LCaptionPane* captions[] = {&fCaption6, &fCaption7, &fCaption8, &fCaption9, &fCaption10};
    for (uint32_t i = 0; i < 5; ++i)
        SetCaption(*captions[i], texts.GetItem(6 + i));
    fSlider1.SetRange(0, 255);
    fSlider2.SetRange(0, 255);
    fSlider3.SetRange(0, 100);
    fSlider4.SetRange(0, 100);
    LStrListRef layout;
    LStrListRef::Create(layout, LResRef{0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
    FitWindowToLayout();
    Refresh();
    if (CAppPrefs* prefs = CAppPrefs::Current())
        fObserving = prefs->AddObserver(this, PrefsChanged);
}

CColorSetDlg::~CColorSetDlg()
{
    if (CAppPrefs* prefs = CAppPrefs::Current(); prefs && fObserving)
        prefs->RemoveObserver(this, PrefsChanged);
}

// ---- mappings

int32_t CColorSetDlg::ScaleSlider(float clsc)
{
    return RoundHalfAway(std::sqrt(std::max(0.0, double(clsc) / 2.0)) * 100.0);
}

float CColorSetDlg::ScaleValue(int32_t slider)
{
    const double v = double(slider) / 100.0;
    return float(2.0 * v * v);
}

int32_t CColorSetDlg::PadX(float trdh, int32_t width)
{
    return RoundHalfAway(double(width) * double(trdh) * 0.25);
}

int32_t CColorSetDlg::PadY(float trdv, int32_t height)
{
    return RoundHalfAway((0.5 - double(trdv) * 0.5) * double(height));
}

bool CColorSetDlg::ShearX(int32_t x, int32_t width, float& trdh)
{
    if (width < 1)
        return false;
    trdh = float(double(x) / double(width) * 4.0);
    return true;
}

bool CColorSetDlg::ShearY(int32_t y, int32_t height, float& trdv)
{
    if (height < 1)
        return false;
    trdv = float(2.0 * (0.5 - double(y) / double(height)));
    return true;
}

// ---- record to controls

void CColorSetDlg::Refresh()
{
    if (!fRecord)
        return;
    for (int k = 0; k < kColorButtons; ++k) {
        const uint32_t rgb = CColorScheme::GetColor(fRecord, uint8_t(kFirstColorField + k));
        fColors[k].button.SetColor(uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16));
    }
    fSlider1.SetValue(fRecord->GetByte(kColsCrop));
    fSlider2.SetValue(fRecord->GetByte(kColsEvop));
    fSlider3.SetValue(ScaleSlider(fRecord->GetFloat(kColsClsc)));
    fSlider4.SetValue(RoundHalfAway(double(fRecord->GetFloat(kColsPrsp)) * 10.0));
    fPadRect = fPad.Rect();
    const int32_t w = int32_t(fPadRect.Width()), h = int32_t(fPadRect.Height());
    fPad.SetPointClamped(PadX(fRecord->GetFloat(kColsTrdh), w), PadY(fRecord->GetFloat(kColsTrdv), h));
}

void CColorSetDlg::PrefsChanged(void* context, LObjChange& notice)
{
    if (notice.record && notice.record->Is(CSnxSchema::kCreator, CSnxSchema::kColorsClass))
        static_cast<CColorSetDlg*>(context)->Refresh();
}

// ---- controls to record

void CColorSetDlg::ColorPicked(void* argument, uint8_t red, uint8_t green, uint8_t blue)
{
    auto* dialog = static_cast<CColorSetDlg*>(argument);
    if (dialog->fPicking < 0 || !dialog->fRecord)
        return;
    // Shown at once, kept for undo only when the panel closes accepted.
    CColorScheme::SetColor(dialog->fRecord, nullptr, uint8_t(kFirstColorField + dialog->fPicking),
                           uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16);
}

void CColorSetDlg::PickColor(int k)
{
    // Another button clicked while the panel is open keeps the colour being picked.
    if (fPicking >= 0)
        return;
    const uint32_t rgb = CColorScheme::GetColor(fRecord, uint8_t(kFirstColorField + k));
    CColorDialog_Cca panel;
    panel.SetColor(uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16));
    fPicking = k;
    panel.Run(this, ColorPicked);
    fPicking = -1;
    // The colours tried while the panel was open were shown at once. Cancel takes them back;
    // OK keeps the last as one step that undo takes back.
    const uint8_t field = uint8_t(kFirstColorField + k);
    const uint32_t chosen = CColorScheme::GetColor(fRecord, field);
    if (chosen == rgb)
        return;
    CColorScheme::SetColor(fRecord, nullptr, field, rgb);
    if (panel.IsAccepted())
        CColorScheme::SetColor(fRecord, this, field, chosen);
}

void CColorSetDlg::SliderChanged(int k)
{
    const int32_t v = fSliders[k]->GetValue();
    switch (k) {
    case 0: LObject::SetByte(fRecord, this, kColsCrop, uint8_t(v), LObject::Merge::Yes); break;
    case 1: LObject::SetByte(fRecord, this, kColsEvop, uint8_t(v), LObject::Merge::Yes); break;
    case 2: LObject::SetFloat(fRecord, this, kColsClsc, ScaleValue(v), LObject::Merge::Yes); break;
    default: LObject::SetFloat(fRecord, this, kColsPrsp, float(v) * 0.1f, LObject::Merge::Yes); break;
    }
}

// Writes only the coordinate the user moved: the other field keeps its exact value. A report
// that comes with a new pad size is the pad being laid out, not the user: the point then
// follows the record instead.
void CColorSetDlg::PadChanged()
{
    if (fPad.Rect() != fPadRect) {
        fPadRect = fPad.Rect();
        Refresh();
        return;
    }
    const int32_t w = int32_t(fPad.Rect().Width()), h = int32_t(fPad.Rect().Height());
    const CLPoint point = fPad.Point();
    float value = 0.0f;
    if (point.x != PadX(fRecord->GetFloat(kColsTrdh), w) && ShearX(point.x, w, value))
        LObject::SetFloat(fRecord, this, kColsTrdh, value, LObject::Merge::Yes);
    if (point.y != PadY(fRecord->GetFloat(kColsTrdv), h) && ShearY(point.y, h, value))
        LObject::SetFloat(fRecord, this, kColsTrdv, value, LObject::Merge::Yes);
}

void CColorSetDlg::HandleMessage(LMessage& result, const LMessage& msg)
{
    for (int k = 0; k < kColorButtons; ++k) {
        if (msg.subject == &fColors[k].button && StrEqual(msg.type, CColorBtn::msgSelected)) {
            if (fRecord)
                PickColor(k);
            LMessage::Clear(result);
            return;
        }
    }
    if (StrEqual(msg.type, CSlider::msgChange)) {
        for (int k = 0; k < 4; ++k) {
            if (msg.subject == fSliders[k] && fRecord)
                SliderChanged(k);
        }
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fPad && StrEqual(msg.type, CPadPane::msgChange)) {
        if (fRecord)
            PadChanged();
        LMessage::Clear(result);
        return;
    }
    LDialog::HandleMessage(result, msg);
}
