#pragma once
#include "platform/values/ValueRef.h"

namespace plat {

class Event;
class View;
class Window;

// Delivers events to windows and views the way a desktop does: a press goes to the view
// under it (bringing its window to the front and making it key first, unless the view holds
// the window back: then at the release, when no drag took the gesture), drags and the release go to the view that took the press, wheel
// movement to the view under the pointer, keys and pointer moves to the key window's first
// responder. A press with Control, or of the right button, first offers the view a context
// menu. Main thread only.
class EventRouter {
public:
    static EventRouter& Shared();

    // Makes the event current and delivers it.
    void Send(Event& event);
    // Forgets the view that took the last press (tests, or a window going away).
    void Reset();
    // Whether a view tracks a press: from the press to its release.
    bool IsTrackingPress() const { return fTracking.Get() != nullptr; }

private:
    void SendPress(Event& event, Window& window);
    void SendDragOrRelease(Event& event);
    void SendToFirstResponder(Event& event);
    void SendWheel(Event& event);
    void ActivateAfterRelease();

    Ref<View> fTracking; // the view that took the press being dragged
    Ref<Window> fActivateAtRelease; // a window whose press held back its ordering
    Ref<View> fActivateHit;         // and the view that took that press
};

} // namespace plat
