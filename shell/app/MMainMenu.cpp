#include "shell/app/MMainMenu.h"

#include "platform/menus/MenuItem.h"
#include "shell/app/AppDelegate.h"

bool MMainMenu::PerformKeyEquivalent(const plat::KeyPress& key)
{
    if (AppDelegate* delegate = AppDelegate::Current())
        delegate->MenuBarTrack();
    for (size_t i = 0; i < Count(); ++i) {
        const std::shared_ptr<plat::MenuItem> item = ItemAt(i);
        const std::shared_ptr<plat::Menu> submenu = item ? item->Submenu() : nullptr;
        if (submenu && submenu->PerformKeyEquivalent(key))
            return true;
    }
    return false;
}
