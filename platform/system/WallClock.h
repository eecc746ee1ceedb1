#pragma once
#include <cstdint>

namespace plat {

// The calendar clock: the real time of day and the local time zone, for texts that name the
// moment something happened (file names of recordings). Timing never reads it; tests install
// a fixed instant and offset.
class WallClock {
public:
    virtual ~WallClock() = default;
    // Seconds since 1970-01-01 00:00:00 GMT.
    virtual double NowSeconds() const = 0;
    // The local time zone's offset from GMT at that instant, in seconds (east positive).
    virtual int64_t LocalOffsetSeconds(double unixSeconds) const = 0;
};

// The installed wall clock: the system's real-time clock and time zone unless a test
// installed another.
const WallClock& CurrentWallClock();
// Installs a clock for the whole process; null restores the system's. The caller keeps it
// and uninstalls it before destroying it.
void InstallWallClock(const WallClock* clock);

// A wall clock that stands still at one instant in one time zone.
class FixedWallClock final : public WallClock {
public:
    FixedWallClock(double unixSeconds, int64_t offsetSeconds) : fNow(unixSeconds), fOffset(offsetSeconds) {}
    double NowSeconds() const override { return fNow; }
    int64_t LocalOffsetSeconds(double) const override { return fOffset; }

private:
    double fNow;
    int64_t fOffset;
};

// Installs a wall clock for the lifetime of the scope.
class ScopedWallClock {
public:
    explicit ScopedWallClock(const WallClock& clock) { InstallWallClock(&clock); }
    ~ScopedWallClock() { InstallWallClock(nullptr); }
    ScopedWallClock(const ScopedWallClock&) = delete;
    ScopedWallClock& operator=(const ScopedWallClock&) = delete;
};

} // namespace plat
