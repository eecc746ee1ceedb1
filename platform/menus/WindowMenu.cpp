#include "platform/menus/WindowMenu.h"
#include "platform/app/Application.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuItem.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"

namespace plat::WindowMenu {

namespace {

// Open menus and pop-up lists are no windows a person works in.
bool IsListable(const Window& window)
{
    return (window.StyleMask() & kStyleTitled) && window.Level() < kLevelPopUpMenu && !window.Title().empty();
}

Window* Front(const std::vector<Window*>& windows)
{
    Window* key = WindowServer::Shared().KeyWindow();
    for (Window* window : windows)
        if (window == key)
            return key;
    for (Window* window : windows)
        if (!window->IsMiniaturized())
            return window;
    return nullptr;
}

} // namespace

std::vector<Window*> Listed()
{
    WindowServer& server = WindowServer::Shared();
    std::vector<Window*> windows;
    for (uint32_t number : server.WindowNumbers())
        if (Window* window = server.WithNumber(number); window && IsListable(*window))
            windows.push_back(window);
    return windows;
}

void Fill(Menu& menu, size_t first)
{
    while (menu.Count() > first)
        menu.RemoveAt(menu.Count() - 1);
    const std::vector<Window*> windows = Listed();
    const Window* front = Front(windows);
    for (Window* window : windows) {
        auto item = MenuItem::Make(window->Title(), std::string(kOrderFrontWindowAction), "");
        item->SetTarget(&Application::Shared());
        item->SetTag(int64_t(window->Number()));
        item->SetState(window == front ? 1 : 0);
        menu.Add(item);
    }
}

void BringForward(const MenuItem& item)
{
    if (item.Tag() <= 0 || item.Tag() > int64_t(UINT32_MAX))
        return;
    Window* window = WindowServer::Shared().WithNumber(uint32_t(item.Tag()));
    if (!window || !IsListable(*window))
        return;
    WindowServer::Shared().SetIconified(*window, false);
    window->MakeKeyAndOrderFront();
}

void HideAll()
{
    for (Window* window : Listed())
        WindowServer::Shared().SetIconified(*window, true);
}

void ShowAll()
{
    const std::vector<Window*> windows = Listed();
    for (Window* window : windows)
        WindowServer::Shared().SetIconified(*window, false);
    if (!windows.empty())
        windows.front()->MakeKeyAndOrderFront();
}

} // namespace plat::WindowMenu
