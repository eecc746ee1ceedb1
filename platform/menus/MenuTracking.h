#pragma once
#include "platform/Geometry.h"
#include "platform/values/ValueRef.h"

#include <memory>

namespace plat {

class Event;
class MenuListView;
class Window;

// The user in the menu bar of a document window: a press on a title opens its menu in a
// pop-up menu window below it (observers hear BeginTracking first and the menu updates, as
// for every opening); while a menu is open every mouse and key event belongs to the menus.
// Moving over the bar switches menus, a release (or Return) on an enabled item chooses it,
// the arrow keys move through items and menus, Escape or a press elsewhere closes. A release
// over the title that opened the menu leaves it open. Main thread only.
class MenuTracking {
public:
    static MenuTracking& Shared();

    // Offers an event to the menus: true when they took it (a press on a bar, or anything
    // while a menu is open).
    bool HandleEvent(const Event& event);
    bool IsOpen() const { return fMenuWindow.Get() != nullptr; }
    // Opens one of the window's bar menus (index into MenuBar::Titles()).
    void Open(Window& barWindow, int title);
    void Close();
    // The title open in this window's bar; -1 when none.
    int OpenTitle(const Window& window) const;
    Window* MenuWindow() const { return fMenuWindow.Get(); }
    MenuListView* List() const;

private:
    MenuTracking() = default;
    bool HandleMouse(const Event& event, const Point& screen);
    bool HandleKey(const Event& event);
    void Highlight(int row);
    void MoveHighlight(int step);
    void ChooseHighlighted();
    // The bar title under a screen point in the bar window; -1 elsewhere.
    int BarTitleAt(const Point& screen) const;

    Ref<Window> fBarWindow;
    Ref<Window> fMenuWindow;
    int fTitle = -1;
    bool fMovedSincePress = false;
};

} // namespace plat
