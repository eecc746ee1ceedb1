// The application's colour window: made once with the colour record of the preferences,
// shown by the Colours command where it was last, hidden when closed, and remembered in the
// preferences.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/views/CColorSetDlg.h"
#include "app/CApp.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/LObject.h"
#include "ui/menus/LMenuBar.h"
#include "ui/panes/LPaneFlags.h"

const char* const CApp::kColorSetCommand = "CAppCmd_ColorSet";

void CApp::MakeColorWindow()
{
    LObject* colors = fPrefs->Root() ? fPrefs->Root()->GetChild(kPrefClrs) : nullptr;
    if (colors)
        fColorWindow = std::make_unique<CColorSetDlg>(this, colors);
}

void CApp::CmdColorSet()
{
    if (!fColorWindow)
        return;
    const CLRect rect = fPrefs->Root() ? fPrefs->Root()->GetRect(kPrefWpcd) : CLRect{};
    if (rect.left < rect.right && rect.top < rect.bottom)
        fColorWindow->PlaceAt(rect);
    fColorWindow->ShowWindow();
}

void CApp::LoadColorWindowPrefs()
{
    if (fPrefs->Root() && fPrefs->Root()->GetByte(kPrefClwo))
        CmdColorSet();
}

void CApp::SaveColorWindowPrefs()
{
    LObject* prefs = fPrefs->Root();
    if (!prefs || !fColorWindow)
        return;
    const bool shown = fColorWindow->HasFlags(kPaneShown | kPaneHostShown);
    LObject::SetBool(prefs, nullptr, kPrefClwo, shown, LObject::Merge::No);
    LObject::SetRect(prefs, nullptr, kPrefWpcd, fColorWindow->GetWindowContentRect());
}

bool CApp::HandleColorWindowMessage(LMessage& result, const LMessage& msg)
{
    if (fColorWindow && msg.subject == fColorWindow.get() && StrEqual(msg.type, LFrame::msgClose)) {
        fColorWindow->HideWindow();
        LMessage::Clear(result);
        return true;
    }
    return false;
}
