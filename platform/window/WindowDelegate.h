#pragma once
#include "platform/Geometry.h"

namespace plat {

class View;
class Window;

// A size in points.
struct Size {
    double width = 0.0;
    double height = 0.0;
};

// What a window tells its owner. Every callback runs on the main thread; the defaults accept
// and ignore.
class WindowDelegate {
public:
    virtual ~WindowDelegate() = default;
    // The user asked to close the window; false keeps it open.
    virtual bool ShouldClose(Window&) { return true; }
    // The user drags the window's size to frameSize; the answer is the size it gets.
    virtual Size WillResize(Window&, const Size& frameSize) { return frameSize; }
    virtual void DidResize(Window&) {}
    virtual void DidMove(Window&) {}
    virtual void DidBecomeMain(Window&) {}
    virtual void DidResignMain(Window&) {}
    virtual void DidBecomeKey(Window&) {}
    virtual void DidResignKey(Window&) {}
    // The text editor to use for the text control client; null for the default one.
    virtual View* FieldEditor(Window&, View* /*client*/) { return nullptr; }
};

} // namespace plat
