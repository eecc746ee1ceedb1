#include "platform/system/WallClock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

constexpr double kInstant = 1772597167.9;   // 2026-03-04 04:06:07.9 GMT

} // namespace

TEST(WallClock, AFixedClockStandsInUntilItsScopeEnds)
{
    {
        const plat::FixedWallClock fixed(kInstant, -18000);
        const plat::ScopedWallClock installed(fixed);
        EXPECT_EQ(plat::CurrentWallClock().NowSeconds(), kInstant);
        EXPECT_EQ(plat::CurrentWallClock().LocalOffsetSeconds(0.0), -18000);
    }
    EXPECT_NEAR(plat::CurrentWallClock().NowSeconds(), double(::time(nullptr)), 2.0);
}

TEST(WallClock, TheSystemClockReadsTheTimeZoneOfTheEnvironment)
{
    const char* saved = std::getenv("TZ");
    const std::string old = saved ? saved : "";
    ::setenv("TZ", "XYZ-2", 1);   // two hours east of GMT, no daylight saving
    ::tzset();
    const plat::WallClock& system = plat::CurrentWallClock();
    EXPECT_EQ(system.LocalOffsetSeconds(kInstant), 7200);
    EXPECT_NEAR(system.NowSeconds(), double(::time(nullptr)), 2.0);
    if (saved)
        ::setenv("TZ", old.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
