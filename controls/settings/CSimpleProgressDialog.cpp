#include "controls/settings/CSimpleProgressDialog.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LPaneFlags.h"
#include "ui/windows/LWindow.h"

#include <algorithm>

const char* const CSimpleProgressDialog::kResName = "CSIMPLEPROGRESSDIALOG";

namespace {

constexpr uint32_t kSystemFont = 0;
constexpr uint32_t kBusyFont = 3;
constexpr const char* kBusyRun = "--->---";

} // namespace

CSimpleProgressDialog::CSimpleProgressDialog(LHandler* parent, uint32_t windowKind)
    : LModalDialog(parent, nullptr, ModalWindowDef(windowKind)), fButton(this, LStdCtlDesc{}), fMessage(this, this, 2),
      fProgress(this), fIcon(this), fBusy(this, this, 0)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    fButton.SetTitle(std::string(texts.GetItem(1).View()));
    fIcon.SetImage(LoadDialogIcon());
    (void)fMessage.SetFont(LFont(kSystemFont));
    (void)fBusy.SetFont(LFont(kBusyFont));
    fBusy.SetText(BusyText(0).c_str());
    fBusy.SetState(kEventHide);
    SetDefaultButton(&fButton);
    SetCancelButton(&fButton);
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

void CSimpleProgressDialog::SetMessage(const LStringRef& text)
{
    fMessage.SetText(text);
    // A dialog on screen keeps its size: the message wraps inside it instead.
    if (!Window() || !Window()->IsVisible())
        FitWindowToLayout();
}

std::string CSimpleProgressDialog::BusyText(int32_t phase)
{
    const int32_t start = std::clamp(3 - phase, 0, 3);
    return std::string(kBusyRun + start, 4);
}

void CSimpleProgressDialog::SetBusyPhase(int32_t phase)
{
    fBusyPhase = phase;
    fBusy.SetText(BusyText(phase).c_str());
}

void CSimpleProgressDialog::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    layout.SetVariable("msgchars", fMessageChars);
    LModalDialog::PrepareLayout(context, layout);
}
