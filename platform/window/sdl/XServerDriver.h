#pragma once
#include "platform/Geometry.h"
#include "platform/draw/Bitmap.h"

#include <string>
#include <vector>

namespace plat {

// Plays the user through the X server itself (the XTest extension) and reads the screen
// back, for the display tests and benchmarks: input takes the same road as a person's.
// Points are the model's screen coordinates (bottom-left origin of the main screen).
class XServerDriver {
public:
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
    void Click(const Point& screen, int button = 1);
    // Presses and releases a key named as X names keysyms ("a", "Return", "Escape", "Down",
    // "q"), holding the named modifier keys ("Control_L", "Shift_L", "Alt_L") meanwhile.
    void Tap(const std::string& keyName, const std::vector<std::string>& held = {});
    // Types letters, digits and spaces (upper-case letters with Shift held).
    void Type(const std::string& text);
    // Waits until the server has carried out everything sent.
    void Sync();
    // Where an X window's inside lies on the screen (model coordinates); empty when unknown.
    Rect WindowArea(unsigned long window);
    // The pixels of a rectangle of the screen (model coordinates), opaque, top row first.
    Bitmap Grab(const Rect& area);

private:
    void Key(const std::string& keyName, bool down);
    void* fDisplay = nullptr; // Display*
    bool fXTest = false;
};

} // namespace plat
