#pragma once
#include <chrono>
#include <functional>
#include <thread>

// Polls until the condition holds or the time is up; true when it held. Tests that wait on
// other threads use it so that a hang fails the test instead of blocking the run.
inline bool WaitFor(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return true;
}
