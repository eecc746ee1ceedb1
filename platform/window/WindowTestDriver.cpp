#include "platform/window/WindowTestDriver.h"
#include "platform/draw/Bitmap.h"
#include "platform/runloop/RunLoopSource.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/EventQueue.h"
#include "platform/window/EventRouter.h"
#include "platform/window/FileDrop.h"
#include "platform/window/Screens.h"
#include "platform/window/UserWindowActions.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

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

void WindowTestDriver::Click(const Point& screen, uint32_t modifiers)
{
    PostMouse(EventType::LeftMouseDown, screen, modifiers);
    DeliverAll();
    PostMouse(EventType::LeftMouseUp, screen, modifiers);
    DeliverAll();
}

void WindowTestDriver::MovePointer(const Point& screen)
{
    WindowServer::Shared().NotePointerLocation(screen);
}

void WindowTestDriver::Drag(const Point& from, const std::vector<Point>& through, const Point& to)
{
    PostMouse(EventType::LeftMouseDown, from);
    DeliverAll();
    for (const Point& p : through) {
        PostMouse(EventType::LeftMouseDragged, p);
        DeliverAll();
    }
    PostMouse(EventType::LeftMouseUp, to);
    DeliverAll();
}

void WindowTestDriver::TypeKey(const std::string& characters, uint16_t keyCode, uint32_t modifiers)
{
    PostKey(EventType::KeyDown, characters, keyCode, modifiers);
    DeliverAll();
    PostKey(EventType::KeyUp, characters, keyCode, modifiers);
    DeliverAll();
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
