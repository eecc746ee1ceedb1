#include "platform/menus/MenuItem.h"

#include "platform/menus/Menu.h"

namespace plat {

std::shared_ptr<MenuItem> MenuItem::Make(std::string title, std::string action, std::string keyEquivalent)
{
    std::shared_ptr<MenuItem> item(new MenuItem());
    item->fTitle = std::move(title);
    item->fAction = std::move(action);
    item->fKeyEquivalent = std::move(keyEquivalent);
    return item;
}

std::shared_ptr<MenuItem> MenuItem::MakeSeparator()
{
    std::shared_ptr<MenuItem> item(new MenuItem());
    item->fSeparator = true;
    item->fEnabled = false;
    return item;
}

MenuItem::~MenuItem()
{
    if (fSubmenu && fSubmenu->fOwnerItem == this)
        fSubmenu->fOwnerItem = nullptr;
}

void MenuItem::SetSubmenu(std::shared_ptr<Menu> submenu)
{
    if (submenu == fSubmenu)
        return;
    if (fSubmenu && fSubmenu->fOwnerItem == this)
        fSubmenu->fOwnerItem = nullptr;
    if (submenu && submenu->fOwnerItem)
        submenu->fOwnerItem->fSubmenu.reset();
    fSubmenu = std::move(submenu);
    if (fSubmenu)
        fSubmenu->fOwnerItem = this;
}

} // namespace plat
