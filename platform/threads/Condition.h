#pragma once
#include "platform/threads/Mutex.h"

#include <cstdint>
#include <memory>

namespace plat {

// A condition variable whose timed waits run on the monotonic clock, so that changes of
// the wall clock never shorten or stretch a wait.
class Condition {
public:
    Condition();
    ~Condition();
    Condition(const Condition&) = delete;
    Condition& operator=(const Condition&) = delete;

    // Waits until signalled; the caller holds the mutex. May wake spuriously.
    void Wait(Mutex& mutex);
    // Waits at most ms milliseconds; false when the time ran out. May wake spuriously.
    [[nodiscard]] bool WaitForMs(Mutex& mutex, uint32_t ms);
    void Signal();
    void Broadcast();

private:
    struct Impl;
    std::unique_ptr<Impl> fImpl;
};

} // namespace plat
