#include "platform/menus/MainMenu.h"

#include "platform/menus/Menu.h"

#include <algorithm>
#include <vector>

namespace plat {

namespace {

struct Observer {
    int token;
    MenuEvent event;
    const Menu* menu;
    std::shared_ptr<MenuObserver> call;
};

std::shared_ptr<Menu>& MainMenuSlot()
{
    static std::shared_ptr<Menu> menu;
    return menu;
}

std::vector<Observer>& Observers()
{
    static std::vector<Observer> observers;
    return observers;
}

int gNextToken = 1;

} // namespace

std::shared_ptr<Menu> MainMenu()
{
    return MainMenuSlot();
}

void SetMainMenu(std::shared_ptr<Menu> menu)
{
    MainMenuSlot() = std::move(menu);
}

int AddMenuObserver(MenuEvent event, const Menu* menu, MenuObserver observer)
{
    const int token = gNextToken++;
    Observers().push_back({token, event, menu, std::make_shared<MenuObserver>(std::move(observer))});
    return token;
}

void RemoveMenuObserver(int token)
{
    auto& observers = Observers();
    observers.erase(std::remove_if(observers.begin(), observers.end(),
                                   [token](const Observer& o) { return o.token == token; }),
                    observers.end());
}

void PostMenuEvent(MenuEvent event, Menu* menu, MenuItem* item)
{
    // A snapshot, so that observers may register or leave while they are told; one that left
    // meanwhile is skipped.
    const std::vector<Observer> snapshot = Observers();
    for (const Observer& o : snapshot) {
        if (o.event != event || (o.menu && o.menu != menu))
            continue;
        const auto& live = Observers();
        const bool stillThere = std::any_of(live.begin(), live.end(), [&](const Observer& x) { return x.token == o.token; });
        if (stillThere)
            (*o.call)(event, menu, item);
    }
}

} // namespace plat
