#pragma once
#include "platform/Geometry.h"
#include "platform/values/ValueRef.h"

namespace plat {

class ControlView;
class PopUpButton;
class Window;

// The open list of a pop-up button shown as a pop-up menu window over the button, so that
// rows reaching past the button's window stay visible on a desktop. The list is kept inside
// the visible part of the screen under the button: moved up, down or sideways when it fits,
// cut to the screen's height and scrolled when it does not. The button's view keeps the
// tracking; the window only shows the rows.
class PopUpListWindow {
public:
    PopUpListWindow();
    ~PopUpListWindow();
    PopUpListWindow(const PopUpListWindow&) = delete;
    PopUpListWindow& operator=(const PopUpListWindow&) = delete;

    // Shows, redraws or closes the window as the button's menu is open or not.
    void Sync(ControlView& host, PopUpButton& button);
    void Close();
    Window* Shown() const { return fWindow.Get(); }

private:
    // Places the rows inside the screen; answers the window's frame on the screen.
    static Rect Place(ControlView& host, PopUpButton& button);

    Ref<Window> fWindow;
};

} // namespace plat
