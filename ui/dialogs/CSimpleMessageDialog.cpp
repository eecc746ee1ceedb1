#include "ui/dialogs/CSimpleMessageDialog.h"
#include "foundation/async/LTicks.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFont.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/dialogs/DialogLayout.h"
#include "ui/layout/LFormula.h"
#include "ui/windows/LWindowDef.h"

const char* const CSimpleMessageDialog::kResName = "CSIMPLEMESSAGEDIALOG";

namespace {

constexpr const char* kDeclarations = "okbtn = 1; cancelbtn = 2; msgtx = 3; icnpn = 4;";
constexpr const char* kSize =
    "tw = max(CalcTextBoxW(msgtx), CalcTextW(msgtx, 20), nowrap*wp(msgtx));"
    "cw = CalcStdIconR(icnpn) + max(tw, CalcTwoButtonW(okbtn, cancelbtn)) + kStdSpc;"
    "ch = kStdSpc + hp(msgtx, tw) + kGrpSpc + hp(okbtn) + kStdSpc;"
    "pp(0, 40, 40, 40 + cw, 40 + ch);";
constexpr const char* kPlacement =
    "PlaceTwoButton(okbtn, cancelbtn);PlaceStdIcon(icnpn);"
    "PlaceTextBoxLTR(msgtx, GetStdIconR(icnpn), kStdSpc, w(0) -  kStdSpc);";

constexpr uint32_t kTitleItem = 0;
constexpr uint32_t kOkItem = 1;
constexpr uint32_t kCancelItem = 2;
// Caption mode: lines word-wrapped inside the pane.
constexpr int32_t kWrappedLines = 2;
constexpr uint32_t kSystemFont = 0;

} // namespace

CSimpleMessageDialog::CSimpleMessageDialog(LHandler* parent, LPane* host, const LWindowDef& def)
    : LModalDialog(parent, host, def), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{}),
      fMessage(this, this, kWrappedLines), fIcon(this)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(kTitleItem));
    fOk.SetTitle(std::string(texts.GetItem(kOkItem).View()));
    fCancel.SetTitle(std::string(texts.GetItem(kCancelItem).View()));
    fIcon.SetImage(LoadDialogIcon());
    (void)fMessage.SetFont(LFont(kSystemFont));
    SetDefaultButton(&fOk);
    SetCancelButton(&fOk);
}

void CSimpleMessageDialog::SetupLayout()
{
    PlaceDialogByTexts(*this, kDeclarations, kSize, kPlacement,
                       [this](LFormula& layout) { layout.SetVariable("nowrap", 1 - fNoWrap); });
}

bool CSimpleMessageDialog::Run(const LStringRef& text, int32_t timeoutSeconds, bool withCancel)
{
    fCancel.SetState(withCancel ? kEventShow : kEventHide);
    SetCancelButton(withCancel ? &fCancel : &fOk);
    fMessage.SetText(text);
    SetupLayout();
    const uint32_t start = LTicks::Now();
    for (;;) {
        const uint32_t result = ModalStep(LTimer::kMaxDelay);
        if (result == kDefault)
            return true;
        if (result == kEscape)
            break;
        // Times compare as signed differences, so a wrap of the clock is harmless.
        if (timeoutSeconds >= 1 &&
            int64_t(int32_t(LTicks::Now() - start)) >= int64_t(timeoutSeconds) * 1000)
            return true;
    }
    return !withCancel;
}
