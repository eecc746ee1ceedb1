#include "foundation/async/LEvent.h"

#include <chrono>

void LEvent::Signal()
{
    std::lock_guard<std::mutex> lock(fMutex);
    fSignalled = true;
    fCondition.notify_all();
}

bool LEvent::Wait(const uint32_t& ms)
{
    std::unique_lock<std::mutex> lock(fMutex);
    // The deadline runs on the steady clock so that a change of the wall clock neither cuts
    // a wait short nor stretches it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    if (!fCondition.wait_until(lock, deadline, [this] { return fSignalled; }))
        return false;
    fSignalled = fStaysSignalled;
    return true;
}

bool LEvent::IsSignalled() const
{
    std::lock_guard<std::mutex> lock(fMutex);
    return fSignalled;
}
