#include "controls/panels/CColorPanelWindow.h"
#include "controls/panels/PanelLine.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "platform/window/ColorPanel.h"
#include "ui/dialogs/DialogResources.h"

#include <charconv>
#include <cmath>
#include <string>

const char* const CColorPanelWindow::kResName = "CCOLORPANEL";

namespace {

enum TextItem : uint32_t { kTitle, kFirstChannel, kHexLabel = kFirstChannel + CColorPanelWindow::kChannels, kOkText, kCancelText };

constexpr const char* kWindowClose = "LWindow_Close";
// A titled window with a close box.
constexpr uint32_t kClosableWindowKind = 8;
constexpr int32_t kMaxima[CColorPanelWindow::kChannels] = {360, 100, 100, 255, 255, 255};
constexpr int32_t kWidth = 380, kSpace = 10, kLine = 22, kLabelWidth = 80, kFieldWidth = 56, kButtonWidth = 90;
constexpr int32_t kSwatchHeight = 44;
constexpr size_t kMaxNumberLength = 8;

LStringRef Item(uint32_t n)
{
    LStrList texts({0, CColorPanelWindow::kResName}, nullptr, kStrListDialogTexts);
    return texts.GetItem(n);
}

// A whole number in the field's range, or -1 for any other text (the user is still typing).
int32_t FieldNumber(const LEditText& field, int32_t maximum)
{
    const std::string_view text = field.GetText().View();
    int32_t value = -1;
    if (text.empty() || text.size() > kMaxNumberLength)
        return -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > maximum)
        return -1;
    return value;
}

} // namespace

CColorPanelWindow::Row::Row(CColorPanelWindow* window)
    : caption(window, window, 0), slider(window), field(window, LEditText::kSingleLine, 0)
{
}

CColorPanelWindow::CColorPanelWindow(LHandler* parent, plat::ColorPanel& panel)
    : LModalDialog(parent, nullptr, ModalWindowDef(kClosableWindowKind)), fPanel(panel), fSwatches(this, this), fHexLabel(this, this, 0),
      fHex(this, LEditText::kSingleLine, 0), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{})
{
    for (int k = 0; k < kChannels; ++k) {
        fRows[size_t(k)] = std::make_unique<Row>(this);
        fRows[size_t(k)]->slider.SetRange(0, kMaxima[k]);
    }
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    SetTexts();
    PlacePanes();
    const plat::ColorPanel::RGB& start = fPanel.Color();
    fOriginal = ClampedRgb(RgbColor{start.red, start.green, start.blue});
    fColor = fOriginal;
    fHsv = HsvFromRgb(fColor);
    fSwatches.SetOriginal(fOriginal);
    ShowColor(nullptr);
}

CColorPanelWindow::~CColorPanelWindow() = default;

void CColorPanelWindow::SetTexts()
{
    SetTitle(Item(kTitle));
    for (int k = 0; k < kChannels; ++k)
        SetCaption(fRows[size_t(k)]->caption, Item(kFirstChannel + uint32_t(k)));
    SetCaption(fHexLabel, Item(kHexLabel));
    fOk.SetTitle(std::string(Item(kOkText).View()));
    fCancel.SetTitle(std::string(Item(kCancelText).View()));
}

int32_t CColorPanelWindow::LabelWidth()
{
    int32_t widest = kLabelWidth;
    for (const auto& row : fRows) {
        LPaneContext context = LPaneContext::FromPane(row->caption);
        widest = std::max(widest, row->caption.PrefWidth(&context, 0) + 4);
    }
    return widest;
}

void CColorPanelWindow::PlacePanes()
{
    const int32_t line = PanelLine(fHex, kLine);
    int32_t y = kSpace;
    fSwatches.SetRect(CLRect{kSpace, y, kWidth - kSpace, y + kSwatchHeight});
    y += kSwatchHeight + kSpace;
    const int32_t sliderLeft = kSpace + LabelWidth(), fieldLeft = kWidth - kSpace - kFieldWidth;
    for (int k = 0; k < kChannels; ++k) {
        Row& row = *fRows[size_t(k)];
        row.caption.SetRect(CLRect{kSpace, y + 3, sliderLeft - 4, y + line});
        row.slider.SetRect(CLRect{sliderLeft, y, fieldLeft - kSpace, y + line});
        row.field.SetRect(CLRect{fieldLeft, y, kWidth - kSpace, y + line});
        // A gap between the hue, saturation and value group and the red, green and blue one.
        y += line + (k == kValue ? 2 * kSpace : kSpace / 2);
    }
    y += kSpace;
    fHexLabel.SetRect(CLRect{kSpace, y + 3, sliderLeft - 4, y + line});
    fHex.SetRect(CLRect{sliderLeft, y, sliderLeft + 2 * kFieldWidth, y + line});
    y += line + 2 * kSpace;
    fCancel.SetRect(CLRect{kWidth - 2 * (kButtonWidth + kSpace), y, kWidth - kButtonWidth - 2 * kSpace, y + line});
    fOk.SetRect(CLRect{kWidth - kButtonWidth - kSpace, y, kWidth - kSpace, y + line});
    PlaceAt(CLRect{240, 120, 240 + kWidth, 120 + y + line + kSpace});
}

int32_t CColorPanelWindow::ShownValue(int channel) const
{
    const double values[kChannels] = {fHsv.hue, fHsv.saturation, fHsv.value,
                                      fColor.red * 255.0, fColor.green * 255.0, fColor.blue * 255.0};
    return int32_t(std::lround(values[channel]));
}

void CColorPanelWindow::ShowColor(const LPane* source)
{
    fShowing = true;
    for (int k = 0; k < kChannels; ++k) {
        Row& row = *fRows[size_t(k)];
        const int32_t value = ShownValue(k);
        if (&row.slider != source)
            row.slider.SetValue(value);
        if (&row.field != source)
            row.field.SetText(LStringRef(std::to_string(value).c_str()));
    }
    if (&fHex != source)
        fHex.SetText(LStringRef(HexText(fColor).c_str()));
    fSwatches.SetCurrent(fColor);
    fShowing = false;
}

void CColorPanelWindow::Pick(const RgbColor& rgb, const HsvColor& hsv, const LPane* source)
{
    fColor = rgb;
    fHsv = hsv;
    ShowColor(source);
    fPanel.UserPicks(plat::ColorPanel::RGB{rgb.red, rgb.green, rgb.blue});
}

void CColorPanelWindow::ChannelChanged(int channel, int32_t value, const LPane* source)
{
    // A slider's release and a number typed again repeat the value shown: no new colour.
    if (ShownValue(channel) == value)
        return;
    if (channel <= kValue) {
        HsvColor hsv = fHsv;
        (channel == kHue ? hsv.hue : channel == kSaturation ? hsv.saturation : hsv.value) = value;
        Pick(RgbFromHsv(hsv), hsv, source);
        return;
    }
    RgbColor rgb = fColor;
    (channel == kRed ? rgb.red : channel == kGreen ? rgb.green : rgb.blue) = value / 255.0;
    Pick(rgb, HsvFromRgb(rgb, fHsv), source);
}

// The sliders, the number fields and the hex field as the user moves and types in them.
bool CColorPanelWindow::HandleControl(const LMessage& msg)
{
    for (int k = 0; k < kChannels; ++k) {
        // The panes made before the rows already report to the window.
        if (!fRows[size_t(k)])
            return false;
        Row& row = *fRows[size_t(k)];
        if (msg.subject == &row.slider && StrEqual(msg.type, CSlider::msgChange)) {
            ChannelChanged(k, row.slider.GetValue(), &row.slider);
            return true;
        }
        if (msg.subject == &row.field && StrEqual(msg.type, LEditText::msgChange)) {
            const int32_t value = FieldNumber(row.field, kMaxima[k]);
            if (value >= 0)
                ChannelChanged(k, value, &row.field);
            return true;
        }
        // A field left with a text that is no number shows the colour's number again.
        if (msg.subject == &row.field && StrEqual(msg.type, LEditText::msgUnfocused)) {
            ShowColor(nullptr);
            return true;
        }
    }
    if (msg.subject == &fHex && StrEqual(msg.type, LEditText::msgChange)) {
        if (const auto rgb = ParseHex(fHex.GetText().View()))
            Pick(*rgb, HsvFromRgb(*rgb, fHsv), &fHex);
        return true;
    }
    if (msg.subject == &fHex && StrEqual(msg.type, LEditText::msgUnfocused)) {
        ShowColor(nullptr);
        return true;
    }
    if (msg.subject == &fSwatches && StrEqual(msg.type, CColorSwatchPane::msgOriginal)) {
        Pick(fOriginal, HsvFromRgb(fOriginal, fHsv), nullptr);
        return true;
    }
    return false;
}

// The close box asks the panel for the code that ends the run; a negative one keeps it open.
bool CColorPanelWindow::CloseBox()
{
    const int code = fPanel.UserCloses();
    if (code < 0)
        return true;
    fCloseCode = code;
    SetResult(kDefault);
    return true;
}

int CColorPanelWindow::Run()
{
    ShowWindow();
    fHex.FocusAndSelect();
    const uint32_t answer = RunModal();
    if (fCloseCode >= 0)
        return fCloseCode;
    return answer == kDefault ? 1 : 0;
}

void CColorPanelWindow::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, kWindowClose) && msg.subject && msg.subject == WindowHandler() && CloseBox()) {
        LMessage::Clear(result);
        return;
    }
    if (!fShowing && HandleControl(msg)) {
        LMessage::Clear(result);
        return;
    }
    LModalDialog::HandleMessage(result, msg);
}
