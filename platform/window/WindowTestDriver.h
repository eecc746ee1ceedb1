#pragma once
#include "platform/Geometry.h"
#include "platform/values/ValueRef.h"
#include "platform/window/Event.h"
#include "platform/window/PersonTiming.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class RunLoopSource;
class TimedSteps;
class Window;

// Plays the user for tests: makes input events at screen points (global coordinates,
// bottom-left origin) the way the window server would (window number from the window under
// the point, location in that window's base coordinates, a fresh timestamp and event
// number), posts them to the event queue and, when asked, delivers what is queued. Reads
// window state back. The constructor and destructor reset the window server, the event
// queue, the event router and the screens so that each test starts clean.
//
// Its gestures take a person's time: a click is a press, a hold and a release, a drag moves
// along its path a little at a time, a key is held and followed by a pause, and the run loop
// turns all the while (on the virtual clock when one is installed), so timers fire and a
// control that tracks the pointer waits for the release as it would for a person. While a
// button is held, drags and the release go to the window that took the press, as the window
// system grabs the pointer.
class WindowTestDriver {
public:
    static constexpr uint64_t kClickHoldMs = PersonTiming::kClickHoldMs;
    static constexpr uint64_t kDragSettleMs = PersonTiming::kDragSettleMs;

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

    // A person's gestures, played to their end (Play) before they return.
    // Press, hold, release at the point.
    void Click(const Point& screen, uint32_t modifiers = 0, uint64_t holdMs = kClickHoldMs);
    // Two clicks, the second counted as a double click.
    void DoubleClick(const Point& screen, uint32_t modifiers = 0);
    // Press, then moves along the path through the points to the end, then release.
    void Drag(const Point& from, const std::vector<Point>& through, const Point& to, uint32_t modifiers = 0);
    // The person moves the pointer where no window of the program hears of it (over another
    // program, or while the program does not look): no event, only the pointer's place.
    void MovePointer(const Point& screen);
    // Key down, held, key up, and the pause before the next key.
    void TypeKey(const std::string& characters, uint16_t keyCode, uint32_t modifiers = 0);
    // Lets ms pass with the run loop turning and input delivered.
    void Wait(uint64_t ms);

    // The same gestures planned after what is planned already, to be played by Play or by
    // whatever loop the program turns meanwhile (a modal session, a tracking control).
    void PlanClick(const Point& screen, uint32_t modifiers = 0, uint64_t holdMs = kClickHoldMs, int clickCount = 1);
    void PlanDrag(const Point& from, const std::vector<Point>& through, const Point& to, uint32_t modifiers = 0);
    void PlanKey(const std::string& characters, uint16_t keyCode, uint32_t modifiers = 0);
    // The moves of a held pointer from `from` along the points, in a person's steps, the first
    // firstMs after what is planned already.
    void PlanDragPath(const Point& from, const std::vector<Point>& points, uint64_t firstMs = kDragSettleMs,
                      uint32_t modifiers = 0);
    // The parts of a gesture, for tests that look in the middle of one: after ms, a press,
    // a move of the held pointer, a release, a move with no button held, a wheel turn.
    void PlanPress(uint64_t ms, const Point& screen, uint32_t modifiers = 0, int clickCount = 1);
    void PlanDragTo(uint64_t ms, const Point& screen, uint32_t modifiers = 0);
    void PlanRelease(uint64_t ms, const Point& screen, uint32_t modifiers = 0, int clickCount = 1);
    void PlanMove(uint64_t ms, const Point& screen);
    // Moves the held pointer toward a place known only when the gesture gets there (a row of
    // a list the press opened): a person's step at a time, until there.
    void PlanDragToward(std::function<Point()> target, uint32_t modifiers = 0);
    // A click on a place known only when the click comes (a button of a dialog still to open).
    void PlanClickOn(std::function<Point()> where, uint64_t holdMs = kClickHoldMs);
    // A release where the pointer is when it comes.
    void PlanReleaseHere(uint64_t ms, uint32_t modifiers = 0);
    void PlanWheel(uint64_t ms, const Point& screen, double dx, double dy);
    // Any step of the test's own, ms after the step planned before it has run.
    void PlanStep(uint64_t ms, std::function<void()> step);
    // Turns the run loop and delivers the queued input as the program's main loop does, until
    // every planned step ran and nothing waits in the queue.
    void Play();
    bool Planned() const;
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
    TimedSteps& Timed();
    // Posts a mouse event; while a button is held it belongs to the window that took the press.
    void PostGrabbed(EventType type, const Point& screen, uint32_t modifiers, int clickCount);

    std::unique_ptr<TimedSteps> fTimed;
    uint32_t fGrabWindow = 0;
    Point fPointer; // where the last mouse event of a gesture was

    std::deque<std::function<void()>> fSteps;
    std::unique_ptr<RunLoopSource> fStepSource;
};

} // namespace plat
