#pragma once
#include "platform/runloop/RunLoop.h"
#include "tests/support/WaitFor.h"

// Runs the test thread's run loop briefly, so that main-thread signals are delivered.
inline void RunMainLoop()
{
    for (int i = 0; i < 5; ++i)
        plat::RunLoop::Current().RunInMode(plat::kModeDefault, 1, false);
}
