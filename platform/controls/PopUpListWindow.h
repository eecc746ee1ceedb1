#pragma once
#include "platform/values/ValueRef.h"

namespace plat {

class ControlView;
class PopUpButton;
class Window;

// The open list of a pop-up button shown as a pop-up menu window over the button, so that
// rows reaching past the button's window stay visible on a desktop. The button keeps the
// tracking; the window only shows its rows.
class PopUpListWindow {
public:
    PopUpListWindow();
    ~PopUpListWindow();
    PopUpListWindow(const PopUpListWindow&) = delete;
    PopUpListWindow& operator=(const PopUpListWindow&) = delete;

    // Shows, redraws or closes the window as the button's menu is open or not.
    void Sync(ControlView& host, const PopUpButton& button);
    void Close();
    Window* Shown() const { return fWindow.Get(); }

private:
    Ref<Window> fWindow;
};

} // namespace plat
