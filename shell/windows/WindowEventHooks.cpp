#include "shell/windows/WindowEventHooks.h"

namespace {
WindowEventHooks::DispatchCursorFn gDispatchCursor = nullptr;
WindowEventHooks::AccumulateWheelFn gAccumulateWheel = nullptr;
}

void WindowEventHooks::Install(DispatchCursorFn dispatchCursor, AccumulateWheelFn accumulateWheel)
{
    gDispatchCursor = dispatchCursor;
    gAccumulateWheel = accumulateWheel;
}

void WindowEventHooks::DispatchCursor()
{
    if (gDispatchCursor)
        gDispatchCursor();
}

void WindowEventHooks::AccumulateWheel(const plat::Event& event)
{
    if (gAccumulateWheel)
        gAccumulateWheel(event);
}
