#include "platform/window/EventRouter.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

namespace plat {

namespace {

// The view under the event's location, or null over the title bar or outside the window.
View* ViewUnder(Window& window, const Event& event)
{
    View* content = window.ContentView();
    return content ? content->HitTest(event.locationInWindow) : nullptr;
}

// Whether a press on a window that is not key brings it forward and makes it key.
bool Activates(Window& window, View* hit)
{
    if (window.IsKey() || !window.CanBecomeKey())
        return false;
    if (window.becomesKeyOnlyIfNeeded)
        return hit && hit->AcceptsFirstResponder();
    return true;
}

void Activate(Window& window, View* hit)
{
    window.OrderFront();
    if (Activates(window, hit)) {
        window.MakeKey();
        window.MakeMain();
    }
}

} // namespace

EventRouter& EventRouter::Shared()
{
    static EventRouter router;
    return router;
}

void EventRouter::Reset()
{
    fTracking.Reset();
    fActivateAtRelease.Reset();
    fActivateHit.Reset();
}

void EventRouter::Send(Event& event)
{
    EventQueue::Shared().SetCurrent(Ref<Event>(&event));
    Window* window = WindowServer::Shared().WithNumber(event.windowNumber);
    switch (event.type) {
    case EventType::LeftMouseDown:
    case EventType::RightMouseDown:
        if (window)
            SendPress(event, *window);
        break;
    case EventType::LeftMouseDragged:
    case EventType::RightMouseDragged:
    case EventType::LeftMouseUp:
    case EventType::RightMouseUp:
        SendDragOrRelease(event);
        break;
    case EventType::ScrollWheel:
        SendWheel(event);
        break;
    case EventType::MouseMoved:
    case EventType::KeyDown:
    case EventType::KeyUp:
    case EventType::FlagsChanged:
        SendToFirstResponder(event);
        break;
    default:
        break;
    }
}

void EventRouter::SendPress(Event& event, Window& window)
{
    Ref<Window> keep(&window);
    Ref<View> hit(ViewUnder(window, event));
    fTracking.Reset();
    fActivateAtRelease.Reset();
    fActivateHit.Reset();
    bool deliver = window.IsKey();
    if (!window.IsKey()) {
        const bool firstMouse = hit && hit->AcceptsFirstMouse(&event);
        const bool delay = hit && hit->ShouldDelayWindowOrdering(event);
        if (delay) {
            fActivateAtRelease = keep;  // the view takes the press: a drag may start from behind
            fActivateHit = hit;
        } else {
            Activate(window, hit.Get());
        }
        // A panel that takes the keys only when needed answers its first click: it is used
        // beside the person's work without being made key first.
        deliver = firstMouse || delay || !window.CanBecomeKey() || window.becomesKeyOnlyIfNeeded;
    }
    if (!hit || !deliver)
        return;
    const bool right = event.type == EventType::RightMouseDown;
    const bool contextClick = right || (event.modifierFlags & kModControl);
    if (contextClick && hit->MenuForEvent(event))
        return;
    fTracking = hit;
    if (right)
        hit->RightMouseDown(event);
    else
        hit->MouseDown(event);
}

// A press held back from ordering its window ended without a drag (a drag's own loop takes
// the release): it was a click, and the window comes forward as for any click.
void EventRouter::ActivateAfterRelease()
{
    Ref<Window> window = std::move(fActivateAtRelease);
    Ref<View> hit = std::move(fActivateHit);
    if (window && WindowServer::Shared().IsVisible(*window))
        Activate(*window, hit.Get());
}

void EventRouter::SendDragOrRelease(Event& event)
{
    Ref<View> view = fTracking;
    if (!view) {
        if (event.type == EventType::LeftMouseUp)
            ActivateAfterRelease();
        return;
    }
    switch (event.type) {
    case EventType::LeftMouseDragged: view->MouseDragged(event); break;
    case EventType::RightMouseDragged: view->MouseDragged(event); break;
    case EventType::LeftMouseUp: fTracking.Reset(); view->MouseUp(event); ActivateAfterRelease(); break;
    case EventType::RightMouseUp: fTracking.Reset(); view->RightMouseUp(event); break;
    default: break;
    }
}

void EventRouter::SendToFirstResponder(Event& event)
{
    Window* window = WindowServer::Shared().KeyWindow();
    if (!window)
        return;
    if (event.type == EventType::MouseMoved && !window->acceptsMouseMovedEvents)
        return;
    Ref<View> view(window->FirstResponder() ? window->FirstResponder() : window->ContentView());
    if (!view)
        return;
    switch (event.type) {
    case EventType::MouseMoved: view->MouseMoved(event); break;
    case EventType::KeyDown: view->KeyDown(event); break;
    case EventType::KeyUp: view->KeyUp(event); break;
    case EventType::FlagsChanged: view->FlagsChanged(event); break;
    default: break;
    }
}

void EventRouter::SendWheel(Event& event)
{
    Window* window = WindowServer::Shared().WithNumber(event.windowNumber);
    if (!window)
        return;
    if (Ref<View> hit(ViewUnder(*window, event)); hit)
        hit->ScrollWheel(event);
}

} // namespace plat
