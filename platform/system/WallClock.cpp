#include "platform/system/WallClock.h"

#include <atomic>
#include <cmath>
#include <time.h>

namespace plat {

namespace {

class SystemWallClock final : public WallClock {
public:
    double NowSeconds() const override
    {
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
    }
    int64_t LocalOffsetSeconds(double unixSeconds) const override
    {
        // Far outside any calendar the system can convert: no offset.
        if (!std::isfinite(unixSeconds) || std::fabs(unixSeconds) > 1e15)
            return 0;
        const time_t at = time_t(std::floor(unixSeconds));
        tm local{};
        if (!localtime_r(&at, &local))
            return 0;
        return int64_t(local.tm_gmtoff);
    }
};

const SystemWallClock gSystem;
std::atomic<const WallClock*> gInstalled{&gSystem};

} // namespace

const WallClock& CurrentWallClock()
{
    return *gInstalled.load(std::memory_order_acquire);
}

void InstallWallClock(const WallClock* clock)
{
    gInstalled.store(clock ? clock : &gSystem, std::memory_order_release);
}

} // namespace plat
