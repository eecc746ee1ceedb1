#pragma once
#include "platform/Geometry.h"

#include <cstdint>

namespace plat {

class Pasteboard;
class View;
class Window;

// Drag operations, as bits of a mask.
enum DragOperation : uint32_t {
    kDragNone = 0,
    kDragCopy = 1,
    kDragLink = 2,
    kDragGeneric = 4,
    kDragPrivate = 8,
    kDragMove = 16,
    kDragDelete = 32,
};

// What a drag over a window tells the window: the data, where the pointer is (window base
// coordinates) and which operations the drag's source allows.
struct DraggingInfo {
    Window* destination = nullptr;
    Pasteboard* pasteboard = nullptr;
    Point location;
    uint32_t sourceMask = kDragNone;
};

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

    // A drag over a window that registered for its data: entered, moved (updated), left
    // (exited), or released (prepare, then perform, then conclude). Entered and updated answer
    // the operation the window would take; none by default.
    virtual uint32_t DraggingEntered(const DraggingInfo&) { return kDragNone; }
    virtual uint32_t DraggingUpdated(const DraggingInfo&) { return kDragNone; }
    virtual void DraggingExited(const DraggingInfo&) {}
    virtual bool PrepareForDragOperation(const DraggingInfo&) { return false; }
    virtual bool PerformDragOperation(const DraggingInfo&) { return false; }
    virtual void ConcludeDragOperation(const DraggingInfo&) {}
    virtual void DraggingEnded(const DraggingInfo&) {}
    // True asks for updates while the pointer rests; otherwise updates come only with moves.
    virtual bool WantsPeriodicDraggingUpdates() { return false; }
};

} // namespace plat
