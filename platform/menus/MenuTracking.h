#pragma once
#include "platform/Geometry.h"
#include "platform/values/ValueRef.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace plat {

class Event;
class Menu;
class MenuListView;
class RunLoopTimer;
class Window;

// The user in the menu bar of a document window: a press on a title opens its menu in a
// pop-up menu window below it (observers hear BeginTracking first and the menu updates, as
// for every opening); while a menu is open every mouse and key event belongs to the menus,
// and the application waits for input in the event-tracking mode, where the program's
// common-mode timers keep firing.
//
// Moving over the bar switches menus. An item that opens a submenu shows it beside itself
// when the pointer has rested on it for kSubmenuDelayMs since its last move, at once when it
// is pressed, clicked or reached with the button held; another item rested on as long closes
// it, and reaching the submenu keeps it. A release (or Return) on an enabled item of any open
// menu chooses it and sends its action as every menu item does. Up and Down move through the
// innermost open menu's enabled items, Right opens the highlighted submenu (elsewhere it goes
// to the next menu of the bar), Left closes the innermost submenu (in a bar menu it goes to the
// previous one), Escape closes one level, a press elsewhere closes all. Menus stay inside the
// screen: a submenu that does not fit beside its item on the right opens on the left, and a
// menu taller than the screen scrolls (the wheel, the arrows at its edges, the keys). Main
// thread only.
class MenuTracking {
public:
    static constexpr uint64_t kSubmenuDelayMs = 300;
    // How often the rows move while the pointer rests on a scroll arrow, and how far.
    static constexpr uint64_t kEdgeScrollMs = 50;
    static constexpr double kEdgeScrollStep = 20.0;

    static MenuTracking& Shared();

    // Offers an event to the menus: true when they took it (a press on a bar, or anything
    // while a menu is open).
    bool HandleEvent(const Event& event);
    bool IsOpen() const { return !fLevels.empty(); }
    // The run-loop mode to wait for input in: event tracking while a menu is open, else the
    // caller's own.
    uint32_t WaitMode(uint32_t ordinary) const;
    // Opens one of the window's bar menus (index into MenuBar::Titles()).
    void Open(Window& barWindow, int title);
    void Close();
    // The title open in this window's bar; -1 when none.
    int OpenTitle(const Window& window) const;
    // The bar menu's window and list; null while closed.
    Window* MenuWindow() const { return LevelWindow(0); }
    MenuListView* List() const { return LevelList(0); }
    // How many menus are open: the bar menu and the submenus opened from it.
    int Depth() const { return int(fLevels.size()); }
    // The window and list of one open level (0: the bar menu); null past the innermost.
    Window* LevelWindow(int level) const;
    MenuListView* LevelList(int level) const;

private:
    MenuTracking() = default;
    bool HandleMouse(const Event& event, const Point& screen);
    bool HandleKey(const Event& event);
    // The innermost open level whose window holds the point; -1 over none.
    int LevelAt(const Point& screen) const;
    int RowAt(int level, const Point& screen) const;
    // The pointer rests on a row of a level (-1: on no row); with the button held a submenu
    // opens at once.
    void PointAt(int level, const Point& screen, bool buttonHeld);
    // What the pointer came to rest on takes effect: its submenu opens, others close.
    void Settle();
    // Opens the submenu of a row beside it (nothing when it is open already), closing any
    // other one of deeper levels; with highlightFirst its first enabled row lights.
    void OpenSubmenu(int level, int row, bool highlightFirst);
    // Closes every level deeper than the given one (-1: all of them).
    void CloseLevelsBelow(int level);
    void Choose(int level, int row);
    // The row of the level that opened the next level; -1 for the innermost.
    int OwnerRow(int level) const;
    // The level the keys work in: the innermost one with a highlighted row, else the bar menu.
    int ActiveLevel() const;
    void MoveHighlight(int level, int step);
    void ArmTimer(uint64_t ms);
    // The pointer rested: on a scroll arrow the rows move on, elsewhere Settle.
    void TimerFired();
    // The bar title under a screen point in the bar window; -1 elsewhere.
    int BarTitleAt(const Point& screen) const;
    // A menu window at the place, its list showing the menu, in front.
    Ref<Window> ShowList(const std::shared_ptr<Menu>& menu, const Rect& place);

    Ref<Window> fBarWindow;
    std::vector<Ref<Window>> fLevels;
    int fTitle = -1;
    bool fMovedSincePress = false;
    // Where the pointer rests (level and row, -1 when on none) and where it was last seen.
    int fRestLevel = -1;
    int fRestRow = -1;
    Point fPointer;
    std::unique_ptr<RunLoopTimer> fTimer;
};

} // namespace plat
