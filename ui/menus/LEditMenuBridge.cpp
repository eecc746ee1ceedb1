#include "ui/menus/LEditMenuBridge.h"

#include "platform/menus/Menu.h"
#include "platform/menus/MenuItem.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

namespace {

struct Bridged {
    const char* command;
    const char* action;
};

constexpr Bridged kBridged[] = {
    {"LStdCmd_Undo", "undo:"}, {"LStdCmd_Redo", "redo:"},   {"LStdCmd_Cut", "cut:"},
    {"LStdCmd_Copy", "copy:"}, {"LStdCmd_Paste", "paste:"}, {"LStdCmd_Delete", "delete:"},
};

LMenu* EditMenu()
{
    LMenuBar* bar = LMenuBar::Current();
    LMenu* menu = bar ? bar->FindMenu("EDIT") : nullptr;
    return menu && menu->Native() ? menu : nullptr;
}

int32_t PositionOf(const LMenu& menu, const char* command)
{
    int32_t position = 0;
    for (SSLink* link : menu.Items()) {
        if (static_cast<const LMenuItem*>(link)->HasCommand(command))
            return position;
        ++position;
    }
    return -1;
}

} // namespace

LEditMenuBridge::LEditMenuBridge()
{
    LMenu* menu = EditMenu();
    if (!menu)
        return;
    plat::Menu& native = *menu->Native();
    fSavedAutoenables = native.AutoenablesItems();
    native.SetAutoenablesItems(true);
    for (const Bridged& bridged : kBridged) {
        const int32_t position = PositionOf(*menu, bridged.command);
        if (position < 0)
            continue;
        std::shared_ptr<plat::MenuItem> item = native.ItemAt(menu->FirstNativeIndex() + uint32_t(position));
        if (!item)
            continue;
        fSaved.push_back({item, item->Action()});
        item->SetAction(bridged.action); // no target: the focused field performs and validates it
    }
}

LEditMenuBridge::~LEditMenuBridge()
{
    for (SavedAction& saved : fSaved)
        saved.item->SetAction(saved.action);
    if (LMenu* menu = EditMenu())
        menu->Native()->SetAutoenablesItems(fSavedAutoenables);
}
