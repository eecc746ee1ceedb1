#include "platform/menus/MenuDriver.h"

#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuItem.h"

namespace plat {

namespace {

void DescribeInto(const Menu& menu, int depth, std::string& out)
{
    for (size_t i = 0; i < menu.Count(); ++i) {
        const std::shared_ptr<MenuItem> item = menu.ItemAt(i);
        out.append(static_cast<size_t>(depth) * 2, ' ');
        if (item->IsSeparator()) {
            out += "-\n";
            continue;
        }
        out += item->Title();
        if (!item->KeyEquivalent().empty()) {
            const uint32_t mask = item->KeyEquivalentModifierMask();
            out += " [";
            if (mask & kControlKeyMask)
                out += 'c';
            if (mask & kOptionKeyMask)
                out += 'o';
            if (mask & kShiftKeyMask)
                out += 's';
            if (mask & kCommandKeyMask)
                out += 'm';
            out += item->KeyEquivalent() + "]";
        }
        if (!item->IsEnabled())
            out += " disabled";
        if (item->State() == 1)
            out += " checked";
        out += '\n';
        if (item->HasSubmenu())
            DescribeInto(*item->Submenu(), depth + 1, out);
    }
}

} // namespace

std::shared_ptr<MenuItem> MenuDriver::Find(const std::vector<std::string>& titles)
{
    std::shared_ptr<Menu> menu = MainMenu();
    std::shared_ptr<MenuItem> item;
    for (const std::string& title : titles) {
        if (!menu)
            return nullptr;
        item = nullptr;
        for (size_t i = 0; i < menu->Count() && !item; ++i) {
            const std::shared_ptr<MenuItem> candidate = menu->ItemAt(i);
            const bool barMenu = menu == MainMenu() && candidate->HasSubmenu();
            const std::string& shown = barMenu ? candidate->Submenu()->Title() : candidate->Title();
            if (!candidate->IsSeparator() && (shown == title || candidate->Title() == title))
                item = candidate;
        }
        if (!item)
            return nullptr;
        menu = item->Submenu();
    }
    return item;
}

bool MenuDriver::Choose(const std::vector<std::string>& titles)
{
    const std::shared_ptr<Menu> bar = MainMenu();
    if (!bar)
        return false;
    PostMenuEvent(MenuEvent::BeginTracking, bar.get(), nullptr);
    const std::shared_ptr<MenuItem> item = Find(titles);
    if (!item || item->IsSeparator() || item->HasSubmenu())
        return false;
    const std::shared_ptr<Menu> menu = item->ParentMenu() ? item->ParentMenu()->shared_from_this() : nullptr;
    if (menu)
        menu->Update();
    return ChooseItem(*item);
}

bool MenuDriver::PressKey(const std::string& charactersIgnoringModifiers, uint32_t modifierFlags)
{
    const std::shared_ptr<Menu> bar = MainMenu();
    if (!bar)
        return false;
    KeyPress key{charactersIgnoringModifiers, charactersIgnoringModifiers, modifierFlags};
    return bar->PerformKeyEquivalent(key);
}

std::string MenuDriver::Describe(const Menu& menu)
{
    std::string out;
    DescribeInto(menu, 0, out);
    return out;
}

} // namespace plat
