#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, MonotonicNeverGoesBack)
{
    uint64_t last = plat::NowUs();
    for (int i = 0; i < 1000; ++i) {
        const uint64_t now = plat::NowUs();
        EXPECT_GE(now, last);
        last = now;
    }
}

TEST(Clock, VirtualClockMovesOnlyWhenTold)
{
    plat::ScopedVirtualClock virt(5000);
    EXPECT_EQ(plat::NowMs(), 5000u);
    EXPECT_EQ(plat::NowMs(), 5000u);
    virt.AdvanceMs(33);
    EXPECT_EQ(plat::NowMs(), 5033u);
    virt.clock().AdvanceUs(999);
    EXPECT_EQ(plat::NowMs(), 5033u);
    EXPECT_EQ(plat::NowUs(), 5033999u);
}

TEST(Clock, UninstallingRestoresSystemClock)
{
    {
        plat::ScopedVirtualClock virt(1);
        EXPECT_EQ(plat::NowMs(), 1u);
    }
    const uint64_t a = plat::NowUs();
    const uint64_t b = plat::NowUs();
    EXPECT_GE(b, a);
    EXPECT_GT(a, 1000u);
}
