#include "app/CApp.h"
#include "analysis/records/CAppPrefs.h"
#include "controls/settings/CMenuKeyTable.h"
#include "foundation/core/StrEqual.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

namespace {

constexpr const char* kMenuKeyCommand = "CAppCmd_MenuKey";
// The preferences record's field of the menu shortcuts.
constexpr uint8_t kFieldMenuKeys = 4;

} // namespace

bool CApp::HandleShortcutMessage(const LMessage& msg)
{
    // Outputs that go while the application is taken down still talk to it.
    if (!fMenuKeys)
        return false;
    if (fMenuKeys->HandleMessage(msg))
        return true;
    auto* item = dynamic_cast<LMenuItem*>(msg.subject);
    if (item && StrEqual(msg.type, LMenuItem::msgSelected) && item->HasCommand(kMenuKeyCommand)) {
        fMenuKeys->Arm();
        return true;
    }
    return false;
}

void CApp::EnableShortcutCommand(LMenuBar& bar)
{
    bar.EnableCommand(kMenuKeyCommand);
}

void CApp::LoadShortcuts()
{
    (void)fMenuKeys->Load(fPrefs->Root(), kFieldMenuKeys);
}

void CApp::SaveShortcuts()
{
    fMenuKeys->Save(fPrefs->Root(), kFieldMenuKeys);
}
