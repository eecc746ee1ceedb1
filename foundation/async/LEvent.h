#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

// A waitable flag for threads: any thread signals it, waiters block with a deadline.
// An event made with staysSignalled false resets itself when a waiter takes the signal.
class LEvent {
public:
    explicit LEvent(bool staysSignalled = false) : fStaysSignalled(staysSignalled) {}
    LEvent(const LEvent&) = delete;
    LEvent& operator=(const LEvent&) = delete;

    // Sets the flag and wakes every waiter.
    void Signal();
    // Waits at most ms milliseconds for the flag. True when it was (or became) set, after
    // which the flag takes the stays-signalled value; false when the time ran out.
    [[nodiscard]] bool Wait(const uint32_t& ms);
    bool IsSignalled() const;

private:
    mutable std::mutex fMutex;
    std::condition_variable fCondition;
    bool fSignalled = false;
    const bool fStaysSignalled;
};
