#include "platform/Clock.h"

#include <atomic>
#include <cerrno>
#include <time.h>

namespace plat {

namespace {

class MonotonicClock final : public Clock {
public:
    uint64_t NowMs() const override { return NowUs() / 1000; }
    uint64_t NowUs() const override
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return uint64_t(ts.tv_sec) * 1000000u + uint64_t(ts.tv_nsec) / 1000u;
    }
};

MonotonicClock gMonotonic;
std::atomic<Clock*> gClock{&gMonotonic};

} // namespace

void Clock::SleepUs(uint64_t us)
{
    timespec left{};
    left.tv_sec = time_t(us / 1000000u);
    left.tv_nsec = long(us % 1000000u) * 1000;
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

uint64_t NowMs() { return gClock.load(std::memory_order_acquire)->NowMs(); }
uint64_t NowUs() { return gClock.load(std::memory_order_acquire)->NowUs(); }

void SleepUs(uint64_t us) { gClock.load(std::memory_order_acquire)->SleepUs(us); }

void InstallClock(Clock* clock)
{
    gClock.store(clock ? clock : &gMonotonic, std::memory_order_release);
}

VirtualClock* InstalledVirtualClock()
{
    return dynamic_cast<VirtualClock*>(gClock.load(std::memory_order_acquire));
}

VirtualClock::VirtualClock(uint64_t startMs) : fUs(startMs * 1000) {}

uint64_t VirtualClock::NowMs() const { return fUs.load() / 1000; }
uint64_t VirtualClock::NowUs() const { return fUs.load(); }
void VirtualClock::SleepUs(uint64_t us) { AdvanceUs(us); }
void VirtualClock::AdvanceMs(uint64_t ms) { fUs.fetch_add(ms * 1000); }
void VirtualClock::AdvanceUs(uint64_t us) { fUs.fetch_add(us); }
void VirtualClock::SetUs(uint64_t us) { fUs.store(us); }

ScopedVirtualClock::ScopedVirtualClock(uint64_t startMs) : fClock(startMs) { InstallClock(&fClock); }
ScopedVirtualClock::~ScopedVirtualClock() { InstallClock(nullptr); }

} // namespace plat
