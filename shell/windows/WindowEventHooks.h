#pragma once

namespace plat {
class Event;
}

// What the window bridge asks of the main loop while it delivers input: update the cursor
// for the pointer's new place, and gather wheel movement that the loop's timer delivers.
// The main loop installs both; until it does they do nothing.
struct WindowEventHooks {
    using DispatchCursorFn = void (*)();
    using AccumulateWheelFn = void (*)(const plat::Event& event);

    static void Install(DispatchCursorFn dispatchCursor, AccumulateWheelFn accumulateWheel);
    static void DispatchCursor();
    static void AccumulateWheel(const plat::Event& event);
};
