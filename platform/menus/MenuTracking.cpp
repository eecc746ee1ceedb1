#include "platform/menus/MenuTracking.h"
#include "platform/controls/KeyCommand.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuListView.h"
#include "platform/window/Event.h"
#include "platform/window/Screens.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"

#include <algorithm>

namespace plat {

namespace {

constexpr uint32_t kUpArrow = 0xF700, kDownArrow = 0xF701, kLeftArrow = 0xF702, kRightArrow = 0xF703;
constexpr uint32_t kEnter = 3, kReturn = 13, kEscape = 27;

// The screen point of a mouse event: from its window's base coordinates, or as it came.
Point ScreenPoint(const Event& event)
{
    Window* window = WindowServer::Shared().WithNumber(event.windowNumber);
    return window ? window->ConvertBaseToScreen(event.locationInWindow) : event.locationInWindow;
}

// The bar strip of a window in screen coordinates: above the content, the bar's height tall.
Rect BarRect(const Window& window)
{
    const Rect content = window.ContentRect();
    return Rect{content.x, content.y + content.height, content.width, window.MenuBarHeight()};
}

bool IsPress(EventType type) { return type == EventType::LeftMouseDown || type == EventType::RightMouseDown; }

} // namespace

MenuTracking& MenuTracking::Shared()
{
    static MenuTracking tracking;
    return tracking;
}

MenuListView* MenuTracking::List() const
{
    return fMenuWindow ? static_cast<MenuListView*>(fMenuWindow->ContentView()) : nullptr;
}

int MenuTracking::OpenTitle(const Window& window) const
{
    return fBarWindow.Get() == &window ? fTitle : -1;
}

int MenuTracking::BarTitleAt(const Point& screen) const
{
    if (!fBarWindow || !Contains(BarRect(*fBarWindow), screen))
        return -1;
    return MenuBar::TitleAt(screen.x - fBarWindow->ContentRect().x);
}

bool MenuTracking::HandleEvent(const Event& event)
{
    if (event.IsMouse() || event.type == EventType::ScrollWheel) {
        const Point screen = ScreenPoint(event);
        if (!IsOpen()) {
            Window* window = WindowServer::Shared().WithNumber(event.windowNumber);
            if (event.type != EventType::LeftMouseDown || !window || !window->ShowsMenuBar()
                || !Contains(BarRect(*window), screen))
                return false;
            const int title = MenuBar::TitleAt(screen.x - window->ContentRect().x);
            if (title >= 0)
                Open(*window, title);
            return true; // a press on the bar is the bar's, on a title or not
        }
        return HandleMouse(event, screen);
    }
    if (!IsOpen())
        return false;
    if (event.IsKey() || event.type == EventType::FlagsChanged)
        return event.type != EventType::KeyDown || HandleKey(event);
    return false;
}

bool MenuTracking::HandleMouse(const Event& event, const Point& screen)
{
    const Rect menuFrame = fMenuWindow->Frame();
    const bool overMenu = Contains(menuFrame, screen);
    const int row = overMenu ? List()->RowAt(menuFrame.y + menuFrame.height - screen.y) : -1;
    const int title = BarTitleAt(screen);
    switch (event.type) {
    case EventType::MouseMoved:
    case EventType::LeftMouseDragged:
    case EventType::RightMouseDragged:
        fMovedSincePress = true;
        if (title >= 0 && title != fTitle)
            Open(*fBarWindow, title);
        else
            Highlight(row);
        return true;
    case EventType::LeftMouseUp:
    case EventType::RightMouseUp:
        if (row >= 0 && List()->IsChoosable(row)) {
            Highlight(row);
            ChooseHighlighted();
        } else if (!overMenu && title < 0 && fMovedSincePress) {
            Close();
        }
        return true;
    default:
        break;
    }
    if (IsPress(event.type)) {
        fMovedSincePress = false;
        if (title >= 0 && title == fTitle)
            Close();
        else if (title >= 0)
            Open(*fBarWindow, title);
        else if (!overMenu)
            Close();
    }
    return true;
}

bool MenuTracking::HandleKey(const Event& event)
{
    const std::vector<MenuBar::Title> titles = MenuBar::Titles();
    const int count = int(titles.size());
    switch (FirstCharacter(event.characters)) {
    case kUpArrow: MoveHighlight(-1); break;
    case kDownArrow: MoveHighlight(1); break;
    case kLeftArrow:
        if (count > 0)
            Open(*fBarWindow, (fTitle + count - 1) % count);
        break;
    case kRightArrow:
        if (count > 0)
            Open(*fBarWindow, (fTitle + 1) % count);
        break;
    case kReturn:
    case kEnter: ChooseHighlighted(); break;
    case kEscape: Close(); break;
    default: break;
    }
    return true;
}

void MenuTracking::Open(Window& barWindow, int title)
{
    const std::vector<MenuBar::Title> titles = MenuBar::Titles();
    const std::shared_ptr<Menu> main = MainMenu();
    if (!main || title < 0 || size_t(title) >= titles.size())
        return;
    Ref<Window> keepBar(&barWindow);
    const bool starting = !IsOpen();
    if (fMenuWindow)
        fMenuWindow->OrderOut();
    fMenuWindow.Reset();
    if (fBarWindow && fBarWindow.Get() != &barWindow)
        fBarWindow->SetMenuBarNeedsDisplay();
    fBarWindow = keepBar;
    fTitle = title;
    if (starting)
        PostMenuEvent(MenuEvent::BeginTracking, main.get(), nullptr);
    const std::shared_ptr<MenuItem> owner = main->ItemAt(titles[size_t(title)].itemIndex);
    const std::shared_ptr<Menu> menu = owner ? owner->Submenu() : nullptr;
    if (!menu)
        return Close();
    menu->Update();
    Ref<MenuListView> list = MenuListView::Make(menu);
    const Rect size = list->Frame();
    const Rect content = barWindow.ContentRect();
    Rect place{content.x + titles[size_t(title)].x, content.y + content.height - size.height, size.width, size.height};
    const Rect screen = Screens::Main().frame;
    place.x = std::clamp(place.x, screen.x, std::max(screen.x, screen.x + screen.width - place.width));
    fMenuWindow = Window::Make(place, kStyleBorderless);
    fMenuWindow->SetTitle(menu->Title());
    fMenuWindow->SetLevel(kLevelPopUpMenu);
    fMenuWindow->SetContentView(list.Get());
    fMenuWindow->OrderFront();
    barWindow.SetMenuBarNeedsDisplay();
}

void MenuTracking::Close()
{
    if (fMenuWindow)
        fMenuWindow->OrderOut();
    fMenuWindow.Reset();
    if (fBarWindow)
        fBarWindow->SetMenuBarNeedsDisplay();
    fBarWindow.Reset();
    fTitle = -1;
    fMovedSincePress = false;
}

void MenuTracking::Highlight(int row)
{
    if (MenuListView* list = List())
        list->SetHighlighted(row);
}

void MenuTracking::MoveHighlight(int step)
{
    MenuListView* list = List();
    const int count = list && list->ItemMenu() ? int(list->ItemMenu()->Count()) : 0;
    int row = list ? list->Highlighted() : -1;
    for (int tries = 0; tries < count; ++tries) {
        row = row < 0 ? (step > 0 ? 0 : count - 1) : (row + step + count) % count;
        if (list->IsChoosable(row)) {
            list->SetHighlighted(row);
            return;
        }
    }
}

void MenuTracking::ChooseHighlighted()
{
    MenuListView* list = List();
    if (!list || !list->IsChoosable(list->Highlighted()))
        return;
    const std::shared_ptr<MenuItem> item = list->ItemMenu()->ItemAt(size_t(list->Highlighted()));
    Close(); // the menu goes before the command runs, as the user expects
    ChooseItem(*item);
}

} // namespace plat
