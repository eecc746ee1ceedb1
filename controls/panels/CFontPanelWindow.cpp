#include "controls/panels/CFontPanelWindow.h"
#include "controls/panels/PanelLine.h"
#include "controls/CViewPrefs.h"
#include "controls/panels/MMachFontPanel.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/NumberFormat.h"
#include "platform/draw/FontLibrary.h"
#include "platform/draw/FontQuery.h"
#include "platform/window/FontPanel.h"
#include "shell/windows/CPanelWindowKind.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/panes/LPaneFlags.h"

#include <string>

const char* const CFontPanelWindow::kResName = "CFONTPANEL";

namespace {

enum TextItem : uint32_t { kTitle, kFamilyText, kStyleText, kSizeText, kSampleText };

constexpr const char* kWindowClose = "LWindow_Close";
constexpr const char* kDefaultFamily = "DejaVu Sans";
constexpr uint32_t kUtilityPanel = 1;
constexpr uint32_t kClosableWindowKind = 8;
constexpr uint32_t kModeFace = 1u << 0, kModeSize = 1u << 1;
constexpr uint8_t kReturnKey = 13, kEnterKey = 3, kEscapeKey = 27;
constexpr uint32_t kPollMs = 500;
constexpr int32_t kWidth = 470, kSpace = 10, kLine = 22, kListHeight = 200, kPreviewHeight = 80;
constexpr int32_t kFamilyWidth = 220, kStyleWidth = 140;
constexpr double kMinSize = 1.0, kMaxSize = 512.0;
constexpr size_t kMaxSizeText = 6;

// Modeless: a utility panel floating above the documents that becomes key when clicked.
// Modal: a titled window with a close box.
LWindowDef FontPanelWindowDef(CFontPanelWindow::Mode mode)
{
    if (mode == CFontPanelWindow::Mode::Modal)
        return ModalWindowDef(kClosableWindowKind);
    LRef kind(new CPanelWindowKind(kUtilityPanel, CPanelWindowKind::kFlagStaysVisible | CPanelWindowKind::kFlagFloatingLevel));
    return LWindowDef(LWindowDef::kLayerFloating, static_cast<const CNativeWindowKind*>(kind.Get()));
}

LStringRef Item(uint32_t n)
{
    LStrList texts({0, CFontPanelWindow::kResName}, nullptr, kStrListDialogTexts);
    return texts.GetItem(n);
}

// A size of whole points with at most one decimal ("12", "10.5") in the allowed range; 0 for
// any other text (the user is still typing).
double ParseSize(std::string_view text)
{
    if (text.empty() || text.size() > kMaxSizeText)
        return 0;
    double whole = 0, tenths = 0;
    size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        whole = whole * 10 + (text[i] - '0');
    if (i == 0)
        return 0;
    if (i < text.size()) {
        if (text[i] != '.' || i + 2 != text.size() || text[i + 1] < '0' || text[i + 1] > '9')
            return 0;
        tenths = text[i + 1] - '0';
    }
    const double size = whole + tenths / 10;
    return size >= kMinSize && size <= kMaxSize ? size : 0;
}


} // namespace

CFontPanelWindow::CFontPanelWindow(LHandler* parent, plat::FontPanel& panel, Mode mode)
    : LModalDialog(parent, nullptr, FontPanelWindowDef(mode)), fPanel(panel), fMode(mode), fFamilyLabel(this, this, 0),
      fStyleLabel(this, this, 0), fSizeLabel(this, this, 0), fFamilies(this, this), fStyleList(this, this),
      fSize(this, LEditText::kSingleLine, 0), fPreview(this, this)
{
    SetTexts();
    PlacePanes();
    fFamilies.SetNames(plat::FontQuery::Families());
    ShowSelectedFont();
}

CFontPanelWindow::~CFontPanelWindow() = default;

void CFontPanelWindow::SetTexts()
{
    SetTitle(Item(kTitle));
    SetCaption(fFamilyLabel, Item(kFamilyText));
    SetCaption(fStyleLabel, Item(kStyleText));
    SetCaption(fSizeLabel, Item(kSizeText));
    fPreview.SetSample(Item(kSampleText));
}

void CFontPanelWindow::PlacePanes()
{
    const int32_t line = PanelLine(fSize, kLine);
    const int32_t styleLeft = 2 * kSpace + kFamilyWidth, sizeLeft = styleLeft + kStyleWidth + kSpace;
    int32_t y = kSpace;
    fFamilyLabel.SetRect(CLRect{kSpace, y, kSpace + kFamilyWidth, y + line});
    fStyleLabel.SetRect(CLRect{styleLeft, y, styleLeft + kStyleWidth, y + line});
    fSizeLabel.SetRect(CLRect{sizeLeft, y, kWidth - kSpace, y + line});
    y += line;
    fFamilies.SetRect(CLRect{kSpace, y, kSpace + kFamilyWidth, y + kListHeight});
    fStyleList.SetRect(CLRect{styleLeft, y, styleLeft + kStyleWidth, y + kListHeight});
    fSize.SetRect(CLRect{sizeLeft, y, kWidth - kSpace, y + line});
    y += kListHeight + kSpace;
    fPreview.SetRect(CLRect{kSpace, y, kWidth - kSpace, y + kPreviewHeight});
    y += kPreviewHeight + kSpace;
    PlaceAt(CLRect{700, 140, 700 + kWidth, 140 + y});
}

void CFontPanelWindow::ShowSelectedFont()
{
    fShowing = true;
    const plat::FontChoice& font = fPanel.SelectedFont();
    const std::string family = plat::FontLibrary::CanonicalFamily(font.family);
    // A family the system no longer has shows the default family.
    if (!fFamilies.SelectName(family.empty() ? font.family : family))
        (void)fFamilies.SelectName(kDefaultFamily);
    LoadStyles(font.bold, font.italic);
    fPointSize = font.size > 0 ? font.size : 12.0;
    fSize.SetText(DoubleToStringTrim(1, fPointSize));
    const uint32_t modes = fPanel.ValidModes();
    fStyleList.SetState((modes & kModeFace) ? kEventEnable : kEventDisable);
    fSize.SetState((modes & kModeSize) ? kEventEnable : kEventDisable);
    plat::FontChoice shown = font;
    shown.family = fFamilies.SelectedName();
    fPreview.SetFont(shown);
    fShowing = false;
}

void CFontPanelWindow::LoadStyles(bool bold, bool italic)
{
    fStyles = FamilyStyles(fFamilies.SelectedName());
    std::vector<std::string> names;
    int32_t chosen = fStyles.empty() ? -1 : 0;
    for (size_t i = 0; i < fStyles.size(); ++i) {
        names.push_back(fStyles[i].name);
        if (fStyles[i].bold == bold && fStyles[i].italic == italic)
            chosen = int32_t(i);
    }
    fStyleList.SetNames(std::move(names));
    fStyleList.Select(chosen);
}

void CFontPanelWindow::Pick()
{
    plat::FontChoice font;
    font.family = fFamilies.SelectedName();
    if (font.family.empty())
        return;
    const int32_t style = fStyleList.Selected();
    if (style >= 0 && size_t(style) < fStyles.size()) {
        font.bold = fStyles[size_t(style)].bold;
        font.italic = fStyles[size_t(style)].italic;
    }
    font.size = fPointSize;
    font.name = FontFaceName(font.family, font.bold, font.italic);
    fPreview.SetFont(font);
    fPanel.UserPicks(font);
}

bool CFontPanelWindow::HandleControl(const LMessage& msg)
{
    if (msg.subject == &fFamilies && StrEqual(msg.type, CNameListPane::msgSelected)) {
        const int32_t style = fStyleList.Selected();
        const bool styled = style >= 0 && size_t(style) < fStyles.size();
        LoadStyles(styled && fStyles[size_t(style)].bold, styled && fStyles[size_t(style)].italic);
        Pick();
        return true;
    }
    if (msg.subject == &fStyleList && StrEqual(msg.type, CNameListPane::msgSelected)) {
        Pick();
        return true;
    }
    if (msg.subject == &fSize && StrEqual(msg.type, LEditText::msgChange)) {
        if (const double size = ParseSize(fSize.GetText().View()); size > 0) {
            fPointSize = size;
            Pick();
        }
        return true;
    }
    // A size field left with a text that is no size shows the size in use again.
    if (msg.subject == &fSize && StrEqual(msg.type, LEditText::msgUnfocused)) {
        fShowing = true;
        fSize.SetText(DoubleToStringTrim(1, fPointSize));
        fShowing = false;
        return true;
    }
    return false;
}

// The user closes the panel: the owner hears of it first, then the panel goes away.
void CFontPanelWindow::Close()
{
    fPanel.UserCloses();
    if (fMode == Mode::Modal)
        SetResult(kDefault);
}

void CFontPanelWindow::RunUntilClosed()
{
    ShowWindow();
    fFamilies.SetState(kEventFocus);
    while (fPanel.IsModal() && fPanel.IsVisible() && ModalStep(kPollMs) == kNone) {}
}

void CFontPanelWindow::HandleMessage(LMessage& result, const LMessage& msg)
{
    const bool closeBox = StrEqual(msg.type, kWindowClose) && msg.subject && msg.subject == WindowHandler();
    const auto* keyboard = StrEqual(msg.type, LKeyboard::msgDown) ? dynamic_cast<const LKeyboard*>(msg.subject) : nullptr;
    const bool closeKey = keyboard && (keyboard->character == kReturnKey || keyboard->character == kEnterKey ||
                                       keyboard->character == kEscapeKey);
    if (closeBox || closeKey) {
        Close();
        LMessage::Clear(result);
        return;
    }
    // Each choice may change the view fonts, which would end the editing of the size field:
    // the panel's layout is fixed, so it only draws its texts anew.
    if (StrEqual(msg.type, CViewPrefs::msgChanged)) {
        Invalidate(LRegion(Rect()), LRegion(Rect()));
        LMessage::Clear(result);
        return;
    }
    if (!fShowing && HandleControl(msg)) {
        LMessage::Clear(result);
        return;
    }
    LModalDialog::HandleMessage(result, msg);
}
