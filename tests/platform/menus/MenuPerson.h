#pragma once
#include "platform/Clock.h"
#include "platform/app/Application.h"
#include "platform/menus/MenuTracking.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/WindowTestDriver.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace plat {

// A person at the menus of the in-memory window system, on the virtual clock: each event is
// posted on its own, and between events time passes while the program's loop turns (due
// timers fire, queued events are delivered) in the mode the application waits in. A move
// sends a motion event every 16 ms of at most 10 px along the way; a click holds the button
// 120 ms unless told; a key is down 40 ms, then 80 ms pass before the next.
class MenuPerson {
public:
    MenuPerson(WindowTestDriver& driver, VirtualClock& clock, const Point& start)
        : fDriver(driver), fClock(clock), fAt(start)
    {
    }

    // Lets the time pass in steps of a few ms, the loop turning at each.
    void Wait(uint64_t ms)
    {
        for (uint64_t passed = 0; passed < ms;) {
            const uint64_t step = std::min<uint64_t>(4, ms - passed);
            fClock.AdvanceMs(step);
            passed += step;
            Turn();
        }
    }
    void MoveTo(const Point& to)
    {
        const double distance = std::hypot(to.x - fAt.x, to.y - fAt.y);
        const int steps = std::max(1, int(std::ceil(distance / 10.0)));
        const Point from = fAt;
        for (int i = 1; i <= steps; ++i) {
            JumpTo(Point{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
            Wait(16);
        }
    }
    // One motion event straight to the point, as a run of moves the desktop read in one batch
    // reaches the menus.
    void JumpTo(const Point& to)
    {
        fAt = to;
        Post(fDriver.MakeMouse(fHeld ? EventType::LeftMouseDragged : EventType::MouseMoved, fAt));
    }
    void Press()
    {
        fHeld = true;
        Post(fDriver.MakeMouse(EventType::LeftMouseDown, fAt));
    }
    void Release()
    {
        fHeld = false;
        Post(fDriver.MakeMouse(EventType::LeftMouseUp, fAt));
    }
    void Click(const Point& at, uint64_t holdMs = 120)
    {
        MoveTo(at);
        Press();
        Wait(holdMs);
        Release();
        Wait(80);
    }
    // Moves onto the point and rests there as long as a submenu takes to open.
    void Hover(const Point& at)
    {
        MoveTo(at);
        Wait(MenuTracking::kSubmenuDelayMs);
    }
    void Key(const std::string& characters)
    {
        Post(fDriver.MakeKey(EventType::KeyDown, characters, characters, 0));
        Wait(40);
        Post(fDriver.MakeKey(EventType::KeyUp, characters, characters, 0));
        Wait(80);
    }
    void Wheel(double dy)
    {
        Post(fDriver.MakeWheel(fAt, 0, dy));
        Wait(40);
    }
    const Point& At() const { return fAt; }

private:
    void Post(Ref<Event> event)
    {
        EventQueue::Shared().Post(std::move(event));
        Turn();
    }
    // One turn of the application's loop that does not wait: what is due runs, then what is queued.
    static void Turn()
    {
        const uint32_t mode = MenuTracking::Shared().WaitMode(kModeDefault);
        RunLoop::Current().RunPending(mode);
        while (Ref<Event> event = Application::NextEvent(kEventMaskAny, 0, mode, true))
            Application::Shared().SendEvent(*event);
    }

    WindowTestDriver& fDriver;
    VirtualClock& fClock;
    Point fAt;
    bool fHeld = false;
};

} // namespace plat
