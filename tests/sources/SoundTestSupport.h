#pragma once
#include "platform/runloop/RunLoop.h"

#include <chrono>
#include <functional>
#include <thread>

// Polls until the condition holds or the time is up (a hang fails instead of blocking).
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// Runs the test thread's run loop briefly, so that main-thread signals are delivered.
inline void RunMainLoop()
{
    for (int i = 0; i < 5; ++i)
        plat::RunLoop::Current().RunInMode(plat::kModeDefault, 1, false);
}
