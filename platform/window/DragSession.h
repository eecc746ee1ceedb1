#pragma once
#include "platform/Geometry.h"
#include "platform/values/ValueRef.h"
#include "platform/window/WindowDelegate.h"

#include <cstdint>

namespace plat {

class Pasteboard;
class Window;

// One drag of data across the desktop, as the window system runs it: as the pointer moves
// (screen coordinates) the window under it that registered for the data hears entered,
// updated and exited; at the release it is asked to prepare and perform the drop when its
// last answer allowed an operation. A backend or the test driver plays the pointer.
class DragSession {
public:
    DragSession(Pasteboard& pasteboard, uint32_t sourceMask);
    ~DragSession();
    DragSession(const DragSession&) = delete;
    DragSession& operator=(const DragSession&) = delete;

    // Moves the pointer; answers the operation the window under it takes (none without one).
    uint32_t MoveTo(const Point& screen);
    // Releases over the last point; true when the window performed the drop.
    bool Drop();
    // Ends the drag without a drop.
    void Cancel();

    Window* Destination() const { return fDestination.Get(); }
    uint32_t Operation() const { return fOperation; }

private:
    Window* TargetAt(const Point& screen) const;
    DraggingInfo Info() const;
    void Leave();

    Pasteboard& fPasteboard;
    uint32_t fSourceMask;
    Point fLocation;
    Ref<Window> fDestination;
    uint32_t fOperation = kDragNone;
    bool fEnded = false;
};

} // namespace plat
