#include "controls/viewprefs/CViewPrefsDlg.h"
#include "foundation/text/LStrList.h"
#include "ui/panes/LPaneFlags.h"
#include "shell/windows/CNativeWindowKind.h"

const char* const CViewPrefsDlg::kResName = "CVIEWPREFSDLG";

namespace {

constexpr uint32_t kOrdinaryWindowKind = 3;

LWindowDef OrdinaryWindowDef()
{
    LRef kind(new CNativeWindowKind(kOrdinaryWindowKind));
    return LWindowDef(LWindowDef::kLayerDocument, static_cast<const CNativeWindowKind*>(kind.Get()));
}

} // namespace

CViewPrefsDlg::CViewPrefsDlg(LHandler* parent) : LDialog(parent, nullptr, OrdinaryWindowDef()), fFontList(this)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, LFrame::kFormulaLayout);
    Relayout();
}

void CViewPrefsDlg::StateChanged(int32_t event)
{
    LDialog::StateChanged(event);
    if (event == kEventPrefsChanged)
        FitWindowToLayout();
}
