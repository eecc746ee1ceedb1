#include "platform/window/DragTracking.h"
#include "platform/cursors/Cursor.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/DragSession.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/EventRouter.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

namespace plat {

namespace {

constexpr uint64_t kInputMask = EventMask(EventType::MouseMoved) | EventMask(EventType::LeftMouseDragged)
    | EventMask(EventType::RightMouseDragged) | EventMask(EventType::LeftMouseUp) | EventMask(EventType::KeyDown)
    | EventMask(EventType::FlagsChanged);
// A wait for input ends this often, so that the loop looks again even when a wake-up is missed.
constexpr uint64_t kWaitMs = 250;
constexpr const char* kEscape = "\x1b";

bool gRunning = false;

// Marks the drag as running and gives the cursor back when it ends.
class RunningScope {
public:
    RunningScope() : fSavedCursor(Cursor::Current()) { gRunning = true; }
    ~RunningScope()
    {
        gRunning = false;
        if (fSavedCursor)
            fSavedCursor->Set();
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    Ref<Cursor> fSavedCursor;
};

Point ScreenPoint(const Event& event)
{
    return WindowServer::Shared().ScreenLocation(event);
}

bool IsEscape(const Event& event)
{
    return event.characters == kEscape || event.charactersIgnoringModifiers == kEscape;
}

// Moves the drag and shows what the place takes: the arrow unless the target shows its own
// cursor, "not allowed" where no drop would be accepted.
void MoveTo(DragSession& session, const Point& screen)
{
    Cursor::WithShape(CursorShape::Arrow)->Set();
    if (session.MoveTo(screen) == kDragNone)
        Cursor::WithShape(CursorShape::NotAllowed)->Set();
}

} // namespace

bool DragTracking::IsRunning()
{
    return gRunning;
}

bool DragTracking::Run(DragSession& session)
{
    if (gRunning)
        return false; // one drag at a time
    RunningScope running;
    EventQueue& queue = EventQueue::Shared();
    Point last;
    if (Ref<Event> start = queue.Current(); start && start->IsMouse())
        last = ScreenPoint(*start);
    MoveTo(session, last);
    for (;;) {
        Ref<Event> event = queue.NextMatching(kInputMask, kWaitMs, kModeEventTracking, true);
        if (!event)
            continue;
        switch (event->type) {
        case EventType::LeftMouseUp:
            last = ScreenPoint(*event);
            MoveTo(session, last);
            queue.Post(event, true); // the program sees the button come up
            return session.Drop();
        case EventType::MouseMoved: session.Cancel(); return false;
        case EventType::KeyDown:
            if (IsEscape(*event)) {
                session.Cancel();
                return false;
            }
            break;
        case EventType::FlagsChanged:
            // The modifiers may change what the target takes: it is asked again.
            EventRouter::Shared().Send(*event);
            MoveTo(session, last);
            break;
        default:
            last = ScreenPoint(*event);
            MoveTo(session, last);
            break;
        }
    }
}

} // namespace plat
