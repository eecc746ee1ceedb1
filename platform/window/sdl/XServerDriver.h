#pragma once
#include "platform/Geometry.h"
#include "platform/draw/Bitmap.h"
#include "platform/window/PersonTiming.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat {

// Plays the user through the X server itself (the XTest extension) and reads the screen
// back, for the display tests and benchmarks: input takes the same road as a person's, in a
// person's real time: a click holds the button, a drag moves a little at a time, a key is
// held and followed by a pause. Points are the model's screen coordinates (bottom-left origin
// of the main screen).
class XServerDriver {
public:
    static constexpr int kClickHoldMs = int(PersonTiming::kClickHoldMs);

    // Connects to the display named by DISPLAY.
    XServerDriver();
    ~XServerDriver();
    XServerDriver(const XServerDriver&) = delete;
    XServerDriver& operator=(const XServerDriver&) = delete;

    // Whether the display is open and offers XTest.
    bool IsUsable() const;
    void MoveTo(const Point& screen);
    // Mouse buttons: 1 left, 3 right.
    void Press(int button = 1);
    void Release(int button = 1);
    // Moves there, presses, holds, releases.
    void Click(const Point& screen, int button = 1, int holdMs = kClickHoldMs);
    void DoubleClick(const Point& screen);
    // Presses at `from`, moves through the points to `to` and releases there.
    void Drag(const Point& from, const std::vector<Point>& through, const Point& to);
    // Moves the pointer (button held or not) from where it is along a line in small steps.
    void Glide(const Point& from, const Point& to);
    // Presses and releases a key named as X names keysyms ("a", "Return", "Escape", "Down",
    // "q"), holding the named modifier keys ("Control_L", "Shift_L", "Alt_L") meanwhile.
    void Tap(const std::string& keyName, const std::vector<std::string>& held = {});
    // Types letters, digits, spaces and the marks of addresses and numbers (. : - /), upper-case
    // letters and the colon with Shift held.
    void Type(const std::string& text);
    // Waits until the server has carried out everything sent.
    void Sync();
    // How time passes inside a gesture: by default the thread sleeps (the program runs in a
    // process of its own); a test whose windows live in this process serves their event loop.
    void SetWaiter(std::function<void(int ms)> wait) { fWait = std::move(wait); }
    void Wait(int ms);
    // Where an X window's inside lies on the screen (model coordinates); empty when unknown.
    Rect WindowArea(unsigned long window);
    // The pixels of a rectangle of the screen (model coordinates), opaque, top row first.
    Bitmap Grab(const Rect& area);

    // A window mapped on the screen at the top of the tree (a window manager's frame or a
    // window the manager leaves alone, as menus and pop-up lists are).
    struct MappedWindow {
        unsigned long id = 0;
        Rect area;           // model coordinates, frame included
        bool unmanaged = false; // override-redirect: a menu, a pop-up list, a tooltip
        std::string title;   // the name of the window or of the first named window inside it
    };
    // The mapped top-level windows, front to back.
    std::vector<MappedWindow> MappedWindows();
    // The title of the window holding the keyboard focus (or of the nearest named window
    // around it); empty when no window has it.
    std::string FocusTitle();
    // The title of the window the window manager shows active (_NET_ACTIVE_WINDOW); empty when
    // it shows none.
    std::string ActiveTitle();

private:
    void Key(const std::string& keyName, bool down);
    void* fDisplay = nullptr; // Display*
    bool fXTest = false;
    std::function<void(int ms)> fWait;
};

} // namespace plat
