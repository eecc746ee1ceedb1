#include "foundation/async/LEvent.h"
#include "foundation/async/LTicks.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <tuple>

#include <atomic>
#include <thread>
#include <vector>

TEST(LTicks, NowRoundsToTheNearestMillisecondAndSleepsExactlyAcrossTheWrap)
{
    plat::ScopedVirtualClock virt(0);
    for (const auto& [us, ms] : {std::pair(uint64_t(1499), 1u), {1500, 2u}, {(uint64_t(1) << 32) * 1000 + 7000, 7u}}) {
        virt.clock().SetUs(us);
        EXPECT_EQ(LTicks::Now(), ms) << us;
    }
    EXPECT_EQ(std::pair(LTicks::Diff(5u, 0xFFFFFFFBu), LTicks::Diff(0xFFFFFFFBu, 5u)), std::pair(10, -10));

    virt.clock().SetUs(1000000);
    LTicks::SleepFor(0);
    EXPECT_EQ(LTicks::Now(), 1000u);
    LTicks::SleepFor(250);
    EXPECT_EQ(LTicks::Now(), 1250u);
    // Across the 32-bit wrap-around.
    virt.clock().SetUs((uint64_t(0xFFFFFFFF) - 10) * 1000);
    LTicks::SleepFor(30);
    EXPECT_EQ(LTicks::Now(), 19u);
}

TEST(LEvent, SignalBeforeWaitIsTakenOnceWhenNotSticky)
{
    LEvent event;
    EXPECT_FALSE(event.Wait(0));
    event.Signal();
    EXPECT_EQ((std::tuple{event.Wait(0), event.Wait(0), event.Wait(5)}), std::tuple(true, false, false));
    LEvent sticky(true);
    sticky.Signal();
    EXPECT_EQ((std::pair{sticky.Wait(0), sticky.Wait(0)}), std::pair(true, true));
}

TEST(LEvent, EachSignalWakesOneWaiterOfManyOrOneOnAnotherThread)
{
    LEvent event;
    std::atomic<int> taken{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 8; ++i)
        waiters.emplace_back([&] {
            while (!stop.load())
                if (event.Wait(50))
                    ++taken;
        });
    for (int signal = 1; signal <= 200; ++signal) {
        event.Signal();
        // Hand out the next signal only once a waiter took this one (at most ~5 s).
        for (int spin = 0; spin < 5000 && taken.load() < signal; ++spin)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(taken.load(), signal);
    }
    stop = true;
    for (auto& t : waiters)
        t.join();
    EXPECT_EQ(taken.load(), 200);

    LEvent other;
    std::thread signaller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        other.Signal();
    });
    EXPECT_TRUE(other.Wait(10000));
    signaller.join();
}
