#pragma once
#include <atomic>
#include <cstdint>

namespace plat {

class VirtualClock;

// The process's one time source. Code reads time only through here so that tests can
// replace the monotonic clock with a virtual one and drive it step by step.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed point; never goes back.
    virtual uint64_t NowMs() const = 0;
    // Microseconds since the same point.
    virtual uint64_t NowUs() const = 0;
    // Lets at least us microseconds of this clock's time pass on the calling thread.
    virtual void SleepUs(uint64_t us);
};

// Milliseconds of the installed clock (the monotonic system clock unless a test installed another).
uint64_t NowMs();
uint64_t NowUs();
// Sleeps the calling thread for us microseconds of the installed clock's time.
void SleepUs(uint64_t us);

// Installs a clock for the whole process; null restores the monotonic system clock.
// The caller keeps ownership and must uninstall it before destroying it.
void InstallClock(Clock* clock);
// The virtual clock installed for the process, null while the system clock runs.
VirtualClock* InstalledVirtualClock();

// A clock that moves only when told: tests use it for deterministic time.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(uint64_t startMs = 0);
    uint64_t NowMs() const override;
    uint64_t NowUs() const override;
    // Sleeping on a virtual clock moves it on by the time slept and returns at once, so
    // code that waits by sleeping runs to the end instead of hanging.
    void SleepUs(uint64_t us) override;
    void AdvanceMs(uint64_t ms);
    void AdvanceUs(uint64_t us);
    void SetUs(uint64_t us);

private:
    std::atomic<uint64_t> fUs;
};

// Installs a virtual clock for the lifetime of the scope.
class ScopedVirtualClock {
public:
    explicit ScopedVirtualClock(uint64_t startMs = 0);
    ~ScopedVirtualClock();
    ScopedVirtualClock(const ScopedVirtualClock&) = delete;
    ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
    VirtualClock& clock() { return fClock; }
    void AdvanceMs(uint64_t ms) { fClock.AdvanceMs(ms); }

private:
    VirtualClock fClock;
};

} // namespace plat
