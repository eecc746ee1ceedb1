#include "platform/menus/MenuTracking.h"
#include "platform/controls/KeyCommand.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuListView.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopTimer.h"
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
// How far one wheel step scrolls a long menu: one row.
constexpr double kWheelStep = 20.0;

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

// Where a menu of the size goes inside the screen: its top edge at top and its left edge at
// left, or, where it would pass the screen's right edge, its right edge at flipRight; shifted
// as little as needed to stay inside, and no taller than the screen (the list then scrolls).
Rect PlaceInside(const Rect& screen, const Rect& size, double left, double flipRight, double top)
{
    Rect place{left, 0, size.width, std::min(size.height, screen.height)};
    if (place.x + place.width > screen.x + screen.width)
        place.x = flipRight - place.width;
    place.x = std::clamp(place.x, screen.x, std::max(screen.x, screen.x + screen.width - place.width));
    place.y = std::clamp(top - place.height, screen.y, screen.y + screen.height - place.height);
    return place;
}

} // namespace

MenuTracking& MenuTracking::Shared()
{
    static MenuTracking* tracking = new MenuTracking(); // lives as long as the process
    return *tracking;
}

uint32_t MenuTracking::WaitMode(uint32_t ordinary) const
{
    return IsOpen() ? kModeEventTracking : ordinary;
}

Window* MenuTracking::LevelWindow(int level) const
{
    return level >= 0 && level < Depth() ? fLevels[size_t(level)].Get() : nullptr;
}

MenuListView* MenuTracking::LevelList(int level) const
{
    Window* window = LevelWindow(level);
    return window ? static_cast<MenuListView*>(window->ContentView()) : nullptr;
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

int MenuTracking::LevelAt(const Point& screen) const
{
    for (int level = Depth() - 1; level >= 0; --level)
        if (Contains(fLevels[size_t(level)]->Frame(), screen))
            return level;
    return -1;
}

int MenuTracking::RowAt(int level, const Point& screen) const
{
    const Window* window = LevelWindow(level);
    if (!window)
        return -1;
    const Rect frame = window->Frame();
    return LevelList(level)->RowAt(frame.y + frame.height - screen.y);
}

int MenuTracking::OwnerRow(int level) const
{
    const MenuListView* list = LevelList(level);
    const MenuListView* next = LevelList(level + 1);
    return list && next ? list->ItemMenu()->IndexOfSubmenu(next->ItemMenu().get()) : -1;
}

int MenuTracking::ActiveLevel() const
{
    for (int level = Depth() - 1; level > 0; --level)
        if (LevelList(level)->Highlighted() >= 0)
            return level;
    return 0;
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
    const int level = LevelAt(screen);
    const int row = RowAt(level, screen);
    const int title = BarTitleAt(screen);
    MenuListView* list = LevelList(level);
    switch (event.type) {
    case EventType::MouseMoved:
    case EventType::LeftMouseDragged:
    case EventType::RightMouseDragged:
        fMovedSincePress = true;
        if (title >= 0 && title != fTitle)
            Open(*fBarWindow, title);
        else
            PointAt(level, screen, event.type != EventType::MouseMoved);
        return true;
    case EventType::LeftMouseUp:
    case EventType::RightMouseUp:
        if (list && list->IsChoosable(row))
            Choose(level, row);
        else if (list && list->OpensSubmenu(row))
            OpenSubmenu(level, row, false);
        else if (!list && title < 0 && fMovedSincePress)
            Close();
        return true;
    case EventType::ScrollWheel:
        if (list && list->ScrollBy(-event.deltaY * kWheelStep))
            PointAt(level, screen, false);
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
        else if (!list)
            Close();
        else if (list->OpensSubmenu(row))
            OpenSubmenu(level, row, false);
    }
    return true;
}

void MenuTracking::PointAt(int level, const Point& screen, bool buttonHeld)
{
    fPointer = screen;
    MenuListView* list = LevelList(level);
    if (!list) {
        // Off the menus the innermost one shows no row; the way to it stays lit.
        LevelList(Depth() - 1)->SetHighlighted(-1);
        fRestLevel = fRestRow = -1;
        return;
    }
    for (int outer = 0; outer < level; ++outer)
        LevelList(outer)->SetHighlighted(OwnerRow(outer));
    const int row = RowAt(level, screen);
    fRestLevel = level;
    fRestRow = row;
    if (row >= 0 && row == OwnerRow(level)) {
        list->SetHighlighted(row); // back on the item whose submenu is open: it stays
        return;
    }
    list->SetHighlighted(list->IsSelectable(row) ? row : -1);
    const Rect frame = LevelWindow(level)->Frame();
    if (list->ScrollEdgeAt(frame.y + frame.height - screen.y) != 0) {
        if (!fTimer || !fTimer->Armed())
            ArmTimer(kEdgeScrollMs);
        return;
    }
    // The rest is counted from the last move: every move starts the delay again.
    if (buttonHeld && list->OpensSubmenu(row))
        OpenSubmenu(level, row, false);
    else if (list->OpensSubmenu(row) || level + 1 < Depth())
        ArmTimer(kSubmenuDelayMs);
}

void MenuTracking::TimerFired()
{
    const int level = LevelAt(fPointer);
    if (MenuListView* list = LevelList(level)) {
        const Rect frame = LevelWindow(level)->Frame();
        if (const int edge = list->ScrollEdgeAt(frame.y + frame.height - fPointer.y); edge != 0) {
            list->ScrollBy(edge * kEdgeScrollStep);
            ArmTimer(kEdgeScrollMs);
            return;
        }
    }
    Settle();
}

void MenuTracking::Settle()
{
    MenuListView* list = LevelList(fRestLevel);
    if (!list || list->Highlighted() != (list->IsSelectable(fRestRow) ? fRestRow : -1))
        return; // the keys moved on meanwhile
    if (list->OpensSubmenu(fRestRow))
        OpenSubmenu(fRestLevel, fRestRow, false);
    else
        CloseLevelsBelow(fRestLevel);
}

void MenuTracking::ArmTimer(uint64_t ms)
{
    if (!fTimer)
        fTimer = std::make_unique<RunLoopTimer>(RunLoop::Current(), [this] { TimerFired(); }, kModeCommon);
    fTimer->FireAfter(ms);
}

bool MenuTracking::HandleKey(const Event& event)
{
    const int count = int(MenuBar::Titles().size());
    const int level = ActiveLevel();
    MenuListView* list = LevelList(level);
    const int row = list->Highlighted();
    switch (FirstCharacter(event.characters)) {
    case kUpArrow: MoveHighlight(level, -1); break;
    case kDownArrow: MoveHighlight(level, 1); break;
    case kLeftArrow:
        if (level > 0)
            CloseLevelsBelow(level - 1);
        else if (count > 0)
            Open(*fBarWindow, (fTitle + count - 1) % count);
        break;
    case kRightArrow:
        if (list->OpensSubmenu(row))
            OpenSubmenu(level, row, true);
        else if (count > 0)
            Open(*fBarWindow, (fTitle + 1) % count);
        break;
    case kReturn:
    case kEnter:
        if (list->IsChoosable(row))
            Choose(level, row);
        else if (list->OpensSubmenu(row))
            OpenSubmenu(level, row, true);
        break;
    case kEscape:
        if (Depth() > 1)
            CloseLevelsBelow(Depth() - 2);
        else
            Close();
        break;
    default: break;
    }
    return true;
}

Ref<Window> MenuTracking::ShowList(const std::shared_ptr<Menu>& menu, const Rect& place)
{
    Ref<MenuListView> list = MenuListView::Make(menu);
    Ref<Window> window = Window::Make(place, kStyleBorderless);
    window->SetTitle(menu->Title());
    window->SetLevel(kLevelPopUpMenu);
    window->SetContentView(list.Get());
    window->OrderFront();
    return window;
}

void MenuTracking::Open(Window& barWindow, int title)
{
    const std::vector<MenuBar::Title> titles = MenuBar::Titles();
    const std::shared_ptr<Menu> main = MainMenu();
    if (!main || title < 0 || size_t(title) >= titles.size())
        return;
    Ref<Window> keepBar(&barWindow);
    const bool starting = !IsOpen();
    CloseLevelsBelow(-1);
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
    const Rect size = MenuListView::NaturalSize(*menu);
    const Rect bar = BarRect(barWindow);
    const Rect screen = Screens::Main().frame;
    const double left = bar.x + titles[size_t(title)].x;
    // Below the bar; where the room there is short and above it larger, above the bar. Either
    // way no taller than the room, scrolled when longer, and shifted left at the screen's edge.
    const double below = bar.y - screen.y, above = screen.y + screen.height - (bar.y + bar.height);
    const bool up = size.height > below && above > below;
    const Rect fitted{0, 0, size.width, std::min(size.height, up ? above : below)};
    const double top = up ? bar.y + bar.height + fitted.height : bar.y;
    fLevels.push_back(ShowList(menu, PlaceInside(screen, fitted, left, left + size.width, top)));
    barWindow.SetMenuBarNeedsDisplay();
}

void MenuTracking::OpenSubmenu(int level, int row, bool highlightFirst)
{
    MenuListView* list = LevelList(level);
    if (!list || !list->OpensSubmenu(row))
        return;
    list->SetHighlighted(row);
    const std::shared_ptr<Menu> menu = list->ItemMenu()->ItemAt(size_t(row))->Submenu();
    if (OwnerRow(level) != row) {
        CloseLevelsBelow(level);
        menu->Update();
        const Rect frame = LevelWindow(level)->Frame();
        // Its first row level with the item, one border's width above.
        const double top = frame.y + frame.height - list->RowTopInView(row) + 1;
        fLevels.push_back(ShowList(menu, PlaceInside(Screens::Main().frame, MenuListView::NaturalSize(*menu),
                                                     frame.x + frame.width, frame.x, top)));
    }
    if (highlightFirst && LevelList(level + 1)->Highlighted() < 0)
        MoveHighlight(level + 1, 1);
}

void MenuTracking::CloseLevelsBelow(int level)
{
    while (Depth() > level + 1) {
        fLevels.back()->OrderOut();
        fLevels.pop_back();
    }
    if (fRestLevel > level)
        fRestLevel = fRestRow = -1;
}

void MenuTracking::Close()
{
    fTimer.reset();
    CloseLevelsBelow(-1);
    if (fBarWindow)
        fBarWindow->SetMenuBarNeedsDisplay();
    fBarWindow.Reset();
    fTitle = -1;
    fMovedSincePress = false;
    fRestLevel = fRestRow = -1;
}

void MenuTracking::MoveHighlight(int level, int step)
{
    MenuListView* list = LevelList(level);
    const int count = list && list->ItemMenu() ? int(list->ItemMenu()->Count()) : 0;
    int row = list ? list->Highlighted() : -1;
    for (int tries = 0; tries < count; ++tries) {
        row = row < 0 ? (step > 0 ? 0 : count - 1) : (row + step + count) % count;
        if (list->IsSelectable(row)) {
            list->SetHighlighted(row);
            list->ScrollToShow(row);
            CloseLevelsBelow(level); // a submenu goes with its item's highlight
            return;
        }
    }
}

void MenuTracking::Choose(int level, int row)
{
    const std::shared_ptr<MenuItem> item = LevelList(level)->ItemMenu()->ItemAt(size_t(row));
    Close(); // the menus go before the command runs, as the user expects
    ChooseItem(*item);
}

} // namespace plat
