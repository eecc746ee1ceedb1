#include "ui/dialogs/CLengthyTaskDialog.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/DialogLayout.h"
#include "shell/draw/LFont.h"
#include "ui/dialogs/DialogResources.h"

const char* const CLengthyTaskDialog::kResName = "CLENGTHYTASK";

namespace {

constexpr uint32_t kWindowKind = 2;
constexpr uint32_t kTitleItem = 0;
constexpr uint32_t kMessageItem = 1;
// Caption mode: lines word-wrapped inside the pane.
constexpr int32_t kWrappedLines = 2;
constexpr uint32_t kSystemFont = 0;

constexpr const char* kDeclarations = "msgtx = 1; icnpn = 2;";
constexpr const char* kSize =
    "tw = max(CalcTextBoxW(msgtx), CalcTextW(msgtx, 20));"
    "cw = CalcStdIconR(icnpn) + tw + kStdSpc;"
    "ch = kStdSpc + max(hp(msgtx, tw), hp(icnpn)) + kStdSpc;"
    "pp(0, 40, 40, 40 + cw, 40 + ch);";
constexpr const char* kPlacement =
    "PlaceStdIcon(icnpn);PlaceTextBoxLTR(msgtx, GetStdIconR(icnpn), kStdSpc, w(0) - kStdSpc);";

} // namespace

CLengthyTaskDialog::CLengthyTaskDialog(LHandler* parent)
    : LModalDialog(parent, nullptr, ModalWindowDef(kWindowKind)), fMessage(this, this, kWrappedLines), fIcon(this)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(kTitleItem));
    fMessage.SetText(texts.GetItem(kMessageItem));
    fIcon.SetImage(LoadDialogIcon());
    (void)fMessage.SetFont(LFont(kSystemFont));
    PlaceDialogByTexts(*this, kDeclarations, kSize, kPlacement);
}
