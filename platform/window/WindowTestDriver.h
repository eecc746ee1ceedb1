#pragma once
#include "platform/Geometry.h"
#include "platform/values/ValueRef.h"
#include "platform/window/Event.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class RunLoopSource;
class Window;

// Plays the user for tests: makes input events at screen points (global coordinates,
// bottom-left origin) the way the window server would (window number from the window under
// the point, location in that window's base coordinates, a fresh timestamp and event
// number), posts them to the event queue and, when asked, delivers what is queued. Reads
// window state back. The constructor and destructor reset the window server, the event
// queue, the event router and the screens so that each test starts clean.
class WindowTestDriver {
public:
    WindowTestDriver();
    ~WindowTestDriver();
    WindowTestDriver(const WindowTestDriver&) = delete;
    WindowTestDriver& operator=(const WindowTestDriver&) = delete;

    // Makes an event without posting it.
    Ref<Event> MakeMouse(EventType type, const Point& screen, uint32_t modifiers = 0);
    Ref<Event> MakeKey(EventType type, const std::string& characters, const std::string& ignoringModifiers,
                       uint16_t keyCode, uint32_t modifiers = 0);
    Ref<Event> MakeWheel(const Point& screen, double dx, double dy, uint32_t modifiers = 0);

    // Posts events (to be delivered by DeliverAll or by the program's own loop).
    void PostMouse(EventType type, const Point& screen, uint32_t modifiers = 0);
    void PostKey(EventType type, const std::string& characters, uint16_t keyCode, uint32_t modifiers = 0);
    void PostWheel(const Point& screen, double dx, double dy, uint32_t modifiers = 0);

    // Delivers every queued event in order; answers how many.
    int DeliverAll();
    // Press and release at the point, delivered.
    void Click(const Point& screen, uint32_t modifiers = 0);
    // The person moves the pointer where no window of the program hears of it (over another
    // program, or while the program does not look): no event, only the pointer's place.
    void MovePointer(const Point& screen);
    // Press, drags through the points, release, delivered one by one.
    void Drag(const Point& from, const std::vector<Point>& through, const Point& to);
    // Key down and up, delivered.
    void TypeKey(const std::string& characters, uint16_t keyCode, uint32_t modifiers = 0);
    // What the user does while the program waits for input in a loop of its own (a drag): each
    // step runs when the program next waits in its run loop, one step per wait, and usually
    // posts the next event; a step may also look at the state in the middle of the gesture.
    void WhenWaiting(std::function<void()> step);
    // Steps not yet run.
    size_t StepsLeft() const { return fSteps.size(); }
    // Another program drops files (absolute paths) at the point.
    void DropFiles(const Point& screen, const std::vector<std::string>& paths);
    // The user drags the window's size corner to a new frame size; the delegate negotiates.
    void ResizeByUser(Window& window, double frameWidth, double frameHeight);
    // The user clicks the close button: the delegate may refuse.
    void CloseByUser(Window& window);

    // Runs the display cycle for the window and writes its backing image as a PNG file;
    // false when the window has no image or the file cannot be written.
    [[nodiscard]] bool SnapshotPng(Window& window, const std::string& path);

    // Front-to-back numbers of the windows on screen.
    std::vector<uint32_t> OnScreen() const;
    Window* KeyWindow() const;
    Window* MainWindow() const;

private:
    void RunStep();

    std::deque<std::function<void()>> fSteps;
    std::unique_ptr<RunLoopSource> fStepSource;
};

} // namespace plat
