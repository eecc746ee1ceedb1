#pragma once
#include <functional>
#include <memory>

namespace plat {

class Menu;
class MenuItem;

// The application's main menu: the menu whose items' submenus stand in the menu bar. The
// program installs one at start-up; before that there is none. Main thread only.
std::shared_ptr<Menu> MainMenu();
void SetMainMenu(std::shared_ptr<Menu> menu);

// What menus tell their observers.
enum class MenuEvent {
    BeginTracking, // a menu of the bar is about to open (menu: the main menu)
    DidSendAction, // an item was chosen and its action sent (menu: the item's menu)
};

using MenuObserver = std::function<void(MenuEvent event, Menu* menu, MenuItem* item)>;
// Registers an observer of one event, for one menu or (with null) any; answers a token.
int AddMenuObserver(MenuEvent event, const Menu* menu, MenuObserver observer);
void RemoveMenuObserver(int token);
// Tells every observer of the event (and of that menu). Observers may come and go meanwhile.
void PostMenuEvent(MenuEvent event, Menu* menu, MenuItem* item);

} // namespace plat
