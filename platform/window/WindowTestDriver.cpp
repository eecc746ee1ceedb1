#include "platform/window/WindowTestDriver.h"
#include "platform/Clock.h"
#include "platform/draw/Bitmap.h"
#include "platform/runloop/RunLoopSource.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/EventQueue.h"
#include "platform/window/EventRouter.h"
#include "platform/window/FileDrop.h"
#include "platform/window/Screens.h"
#include "platform/window/TimedSteps.h"
#include "platform/window/UserWindowActions.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

void ResetAll()
{
    EventQueue::Shared().Clear();
    EventRouter::Shared().Reset();
    WindowServer::Shared().Reset();
    Screens::Reset();
}

bool IsPressOrRelease(EventType type)
{
    return type == EventType::LeftMouseDown || type == EventType::LeftMouseUp || type == EventType::RightMouseDown
        || type == EventType::RightMouseUp;
}

} // namespace

WindowTestDriver::WindowTestDriver()
{
    ResetAll();
}

WindowTestDriver::~WindowTestDriver()
{
    fTimed.reset();
    fStepSource.reset();
    ResetAll();
}

Ref<Event> WindowTestDriver::MakeMouse(EventType type, const Point& screen, uint32_t modifiers)
{
    WindowServer::Shared().NotePointerLocation(screen);
    Ref<Event> event = Event::New(type);
    event->timestamp = EventQueue::Timestamp();
    event->modifierFlags = modifiers;
    event->locationInWindow = screen;
    if (Window* window = WindowServer::Shared().WindowAtPoint(screen)) {
        event->windowNumber = window->Number();
        event->locationInWindow = window->ConvertScreenToBase(screen);
    }
    if (IsPressOrRelease(type)) {
        event->eventNumber = EventQueue::Shared().NextEventNumber();
        event->clickCount = 1;
    }
    return event;
}

Ref<Event> WindowTestDriver::MakeKey(EventType type, const std::string& characters,
                                     const std::string& ignoringModifiers, uint16_t keyCode, uint32_t modifiers)
{
    Ref<Event> event = Event::New(type);
    event->timestamp = EventQueue::Timestamp();
    event->modifierFlags = modifiers;
    event->characters = characters;
    event->charactersIgnoringModifiers = ignoringModifiers;
    event->keyCode = keyCode;
    if (Window* key = WindowServer::Shared().KeyWindow())
        event->windowNumber = key->Number();
    return event;
}

Ref<Event> WindowTestDriver::MakeWheel(const Point& screen, double dx, double dy, uint32_t modifiers)
{
    Ref<Event> event = MakeMouse(EventType::ScrollWheel, screen, modifiers);
    event->deltaX = dx;
    event->deltaY = dy;
    return event;
}

void WindowTestDriver::PostMouse(EventType type, const Point& screen, uint32_t modifiers)
{
    EventQueue::Shared().Post(MakeMouse(type, screen, modifiers));
}

void WindowTestDriver::PostKey(EventType type, const std::string& characters, uint16_t keyCode, uint32_t modifiers)
{
    EventQueue::Shared().Post(MakeKey(type, characters, characters, keyCode, modifiers));
}

void WindowTestDriver::PostWheel(const Point& screen, double dx, double dy, uint32_t modifiers)
{
    EventQueue::Shared().Post(MakeWheel(screen, dx, dy, modifiers));
}

int WindowTestDriver::DeliverAll()
{
    int delivered = 0;
    while (Ref<Event> event = EventQueue::Shared().NextMatching(kEventMaskAny, 0, 0, true)) {
        EventRouter::Shared().Send(*event);
        ++delivered;
    }
    return delivered;
}

void WindowTestDriver::PostGrabbed(EventType type, const Point& screen, uint32_t modifiers, int clickCount)
{
    Ref<Event> event = MakeMouse(type, screen, modifiers);
    const bool held = type == EventType::LeftMouseDragged || type == EventType::LeftMouseUp;
    if (held && fGrabWindow != 0) {
        if (const Window* window = WindowServer::Shared().WithNumber(fGrabWindow)) {
            event->windowNumber = fGrabWindow;
            event->locationInWindow = window->ConvertScreenToBase(screen);
        }
    }
    if (type == EventType::LeftMouseDown)
        fGrabWindow = static_cast<uint32_t>(event->windowNumber);
    else if (type == EventType::LeftMouseUp)
        fGrabWindow = 0;
    if (IsPressOrRelease(type))
        event->clickCount = clickCount;
    fPointer = screen;
    EventQueue::Shared().Post(event);
}

void WindowTestDriver::MovePointer(const Point& screen)
{
    WindowServer::Shared().NotePointerLocation(screen);
}

TimedSteps& WindowTestDriver::Timed()
{
    if (!fTimed) {
        fTimed = std::make_unique<TimedSteps>();
        // The person is done: a wait of the program's on the virtual clock, which only the
        // steps moved, ends with an empty event so that the program looks at what changed.
        fTimed->WhenDone([] { EventQueue::Shared().Post(Event::New(EventType::ApplicationDefined)); });
    }
    return *fTimed;
}

void WindowTestDriver::PlanStep(uint64_t ms, std::function<void()> step)
{
    Timed().After(ms, std::move(step));
}

bool WindowTestDriver::Planned() const
{
    return fTimed && fTimed->Pending();
}

void WindowTestDriver::PlanPress(uint64_t ms, const Point& screen, uint32_t modifiers, int clickCount)
{
    PlanStep(ms, [=, this] { PostGrabbed(EventType::LeftMouseDown, screen, modifiers, clickCount); });
}

void WindowTestDriver::PlanDragTo(uint64_t ms, const Point& screen, uint32_t modifiers)
{
    PlanStep(ms, [=, this] { PostGrabbed(EventType::LeftMouseDragged, screen, modifiers, 0); });
}

void WindowTestDriver::PlanRelease(uint64_t ms, const Point& screen, uint32_t modifiers, int clickCount)
{
    PlanStep(ms, [=, this] { PostGrabbed(EventType::LeftMouseUp, screen, modifiers, clickCount); });
}

void WindowTestDriver::PlanDragToward(std::function<Point()> target, uint32_t modifiers)
{
    Timed().Every(kDragSettleMs, PersonTiming::kDragStepMs, [this, target = std::move(target), modifiers, first = true]() mutable {
        const Point to = target();
        const double distance = std::hypot(to.x - fPointer.x, to.y - fPointer.y);
        const double f = distance > PersonTiming::kDragStepPx ? PersonTiming::kDragStepPx / distance : 1.0;
        const bool arrived = f >= 1.0;
        if (distance > 0 || first)
            PostGrabbed(EventType::LeftMouseDragged,
                        Point{fPointer.x + (to.x - fPointer.x) * f, fPointer.y + (to.y - fPointer.y) * f}, modifiers, 0);
        first = false;
        return !arrived;
    });
}

void WindowTestDriver::PlanClickOn(std::function<Point()> where, uint64_t holdMs)
{
    PlanStep(0, [this, where = std::move(where)] { PostGrabbed(EventType::LeftMouseDown, where(), 0, 1); });
    PlanReleaseHere(holdMs);
}

void WindowTestDriver::PlanReleaseHere(uint64_t ms, uint32_t modifiers)
{
    PlanStep(ms, [=, this] { PostGrabbed(EventType::LeftMouseUp, fPointer, modifiers, 1); });
}

void WindowTestDriver::PlanMove(uint64_t ms, const Point& screen)
{
    PlanStep(ms, [=, this] { PostMouse(EventType::MouseMoved, screen); });
}

void WindowTestDriver::PlanWheel(uint64_t ms, const Point& screen, double dx, double dy)
{
    PlanStep(ms, [=, this] { PostWheel(screen, dx, dy); });
}

void WindowTestDriver::PlanClick(const Point& screen, uint32_t modifiers, uint64_t holdMs, int clickCount)
{
    PlanPress(0, screen, modifiers, clickCount);
    PlanRelease(holdMs, screen, modifiers, clickCount);
}

void WindowTestDriver::PlanDrag(const Point& from, const std::vector<Point>& through, const Point& to,
                                uint32_t modifiers)
{
    PlanPress(0, from, modifiers);
    std::vector<Point> path = through;
    path.push_back(to);
    PlanDragPath(from, path, kDragSettleMs, modifiers);
    PlanRelease(kDragSettleMs, to, modifiers);
}

void WindowTestDriver::PlanDragPath(const Point& from, const std::vector<Point>& points, uint64_t firstMs,
                                    uint32_t modifiers)
{
    uint64_t wait = firstMs;
    for (const Point& step : PersonTiming::DragSteps(from, points)) {
        PlanDragTo(wait, step, modifiers);
        wait = PersonTiming::kDragStepMs;
    }
}

void WindowTestDriver::PlanKey(const std::string& characters, uint16_t keyCode, uint32_t modifiers)
{
    PlanStep(0, [=, this] { PostKey(EventType::KeyDown, characters, keyCode, modifiers); });
    PlanStep(PersonTiming::kKeyHoldMs, [=, this] { PostKey(EventType::KeyUp, characters, keyCode, modifiers); });
    PlanStep(PersonTiming::kKeyPauseMs, [] {});
}

void WindowTestDriver::Play()
{
    EventQueue& queue = EventQueue::Shared();
    for (;;) {
        if (Ref<Event> event = queue.NextMatching(kEventMaskAny, 0, 0, true)) {
            EventRouter::Shared().Send(*event);
            continue;
        }
        if (!Planned())
            return;
        RunLoop::Current().RunInMode(kModeDefault, InstalledVirtualClock() ? 1 : 5, true);
    }
}

void WindowTestDriver::Click(const Point& screen, uint32_t modifiers, uint64_t holdMs)
{
    PlanClick(screen, modifiers, holdMs);
    Play();
}

void WindowTestDriver::DoubleClick(const Point& screen, uint32_t modifiers)
{
    PlanClick(screen, modifiers, kClickHoldMs, 1);
    PlanStep(PersonTiming::kDoubleClickGapMs, [] {});
    PlanClick(screen, modifiers, kClickHoldMs, 2);
    Play();
}

void WindowTestDriver::Drag(const Point& from, const std::vector<Point>& through, const Point& to,
                            uint32_t modifiers)
{
    PlanDrag(from, through, to, modifiers);
    Play();
}

void WindowTestDriver::TypeKey(const std::string& characters, uint16_t keyCode, uint32_t modifiers)
{
    PlanKey(characters, keyCode, modifiers);
    Play();
}

void WindowTestDriver::Wait(uint64_t ms)
{
    PlanStep(ms, [] {});
    Play();
}

void WindowTestDriver::WhenWaiting(std::function<void()> step)
{
    if (!fStepSource)
        fStepSource = std::make_unique<RunLoopSource>(RunLoop::Current(), [this] { RunStep(); });
    fSteps.push_back(std::move(step));
    fStepSource->Signal();
}

void WindowTestDriver::RunStep()
{
    if (fSteps.empty())
        return;
    std::function<void()> step = std::move(fSteps.front());
    fSteps.pop_front();
    if (!fSteps.empty())
        fStepSource->Signal(); // the next one waits for the next wait
    step();
}

void WindowTestDriver::DropFiles(const Point& screen, const std::vector<std::string>& paths)
{
    FileDrop::DropAt(screen, paths);
}

void WindowTestDriver::ResizeByUser(Window& window, double frameWidth, double frameHeight)
{
    UserWindowActions::Resize(window, frameWidth, frameHeight);
}

void WindowTestDriver::CloseByUser(Window& window)
{
    UserWindowActions::Close(window);
}

bool WindowTestDriver::SnapshotPng(Window& window, const std::string& path)
{
    DisplayCycle::Display(window);
    const Bitmap* image = window.BackingImage();
    return image && image->SavePng(path);
}

std::vector<uint32_t> WindowTestDriver::OnScreen() const
{
    return WindowServer::Shared().WindowNumbers();
}

Window* WindowTestDriver::KeyWindow() const
{
    return WindowServer::Shared().KeyWindow();
}

Window* WindowTestDriver::MainWindow() const
{
    return WindowServer::Shared().MainWindow();
}

} // namespace plat
