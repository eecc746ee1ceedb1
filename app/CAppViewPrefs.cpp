#include "app/CApp.h"
#include "analysis/records/CAppPrefs.h"
#include "controls/CViewPrefs.h"
#include "controls/viewprefs/CViewPrefsDlg.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/LObject.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

namespace {

constexpr const char* kViewPrefCommand = "LStdCmd_ViewPref";
// The preferences record's parameter set (which also keeps the MIDI destination): the view
// fonts live in its "fonts" set.
constexpr uint8_t kFieldParams = 2;

} // namespace

bool CApp::HandleViewPrefsCommand(const LMessage& msg)
{
    auto* item = dynamic_cast<LMenuItem*>(msg.subject);
    if (!item || !StrEqual(msg.type, LMenuItem::msgSelected) || !item->HasCommand(kViewPrefCommand))
        return false;
    if (!fViewPrefs)
        fViewPrefs = std::make_unique<CViewPrefsDlg>(this);
    fViewPrefs->ShowWindow();
    return true;
}

void CApp::EnableViewPrefsCommand(LMenuBar& bar)
{
    bar.EnableCommand(kViewPrefCommand);
}

void CApp::UseViewFontPrefs()
{
    LObject* prefs = fPrefs->Root();
    CViewPrefs::Shared().SetParamSet(prefs ? prefs->GetChild(kFieldParams) : nullptr);
    CViewPrefs::Shared().Broadcast();
}

void CApp::CloseViewPrefs()
{
    fViewPrefs.reset();
    CViewPrefs::Shared().SetParamSet(nullptr);
}
