#include "platform/Clock.h"
#include "platform/runloop/FdSource.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopDriver.h"
#include "platform/runloop/RunLoopSource.h"
#include "platform/runloop/RunLoopTimer.h"
#include "platform/threads/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class RunLoopTest : public ::testing::Test {
protected:
    plat::ScopedVirtualClock fClock{1000};
    plat::RunLoop fLoop;
    plat::RunLoopDriver fDriver{fLoop};
};

} // namespace

TEST_F(RunLoopTest, TimersFireInTimeOrderThenArmingOrder)
{
    std::string order;
    plat::RunLoopTimer late(fLoop, [&] { order += 'L'; });
    plat::RunLoopTimer first(fLoop, [&] { order += 'A'; });
    plat::RunLoopTimer second(fLoop, [&] { order += 'B'; });
    late.FireAt(1020);
    first.FireAt(1010);
    second.FireAt(1010);
    EXPECT_EQ(fDriver.RunUntilIdle(), 0u);
    EXPECT_EQ(fLoop.NextFireTime(plat::kModeDefault), std::optional<uint64_t>(1010));
    fDriver.RunForMs(fClock.clock(), 9);
    EXPECT_EQ(order, "");
    fDriver.RunForMs(fClock.clock(), 1);
    EXPECT_EQ(order, "AB");
    fDriver.RunForMs(fClock.clock(), 100);
    EXPECT_EQ(order, "ABL");
    EXPECT_EQ(plat::NowMs(), 1110u);
    EXPECT_FALSE(late.Armed());
}

TEST_F(RunLoopTest, TimerRearmedFromItsCallbackRunsOncePerPass)
{
    int fired = 0;
    plat::RunLoopTimer* self = nullptr;
    plat::RunLoopTimer timer(fLoop, [&] {
        ++fired;
        self->FireAfter(0); // due again at once, but only on the next pass
    });
    self = &timer;
    timer.FireAfter(0);
    EXPECT_EQ(fLoop.RunPending(plat::kModeDefault), 1u);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(fDriver.RunUntilIdle(50), 50u); // bounded, never hangs
    timer.Disarm();
    EXPECT_EQ(fDriver.RunUntilIdle(), 0u);
}

TEST_F(RunLoopTest, ModesSelectWhatRuns)
{
    int common = 0, modalOnly = 0;
    plat::RunLoopTimer a(fLoop, [&] { ++common; });
    plat::RunLoopTimer b(fLoop, [&] { ++modalOnly; }, plat::kModeModalPanel);
    a.FireAfter(0);
    b.FireAfter(0);
    fDriver.RunUntilIdle();
    EXPECT_EQ(common, 1);
    EXPECT_EQ(modalOnly, 0);
    plat::RunLoopDriver modal(fLoop, plat::kModeModalPanel);
    modal.RunUntilIdle();
    EXPECT_EQ(modalOnly, 1);
}

TEST_F(RunLoopTest, SignalsBeforeTheLoopRunsMergeIntoOneCall)
{
    int calls = 0;
    plat::RunLoopSource source(fLoop, [&] { ++calls; });
    source.Signal();
    source.Signal();
    EXPECT_EQ(fDriver.RunUntilIdle(), 1u);
    EXPECT_EQ(calls, 1);
    source.Signal();
    fDriver.RunUntilIdle();
    EXPECT_EQ(calls, 2);
}

TEST_F(RunLoopTest, InvalidatingCancelsAPendingCall)
{
    int calls = 0;
    plat::RunLoopSource source(fLoop, [&] { ++calls; });
    source.Signal();
    source.Invalidate();
    source.Signal();
    EXPECT_EQ(fDriver.RunUntilIdle(), 0u);
    EXPECT_EQ(calls, 0);
}

TEST_F(RunLoopTest, TimerDestroyedByAnEarlierCallbackOfTheSamePassNeverFires)
{
    int fired = 0;
    auto victim = std::make_unique<plat::RunLoopTimer>(fLoop, [&] { ++fired; });
    plat::RunLoopTimer killer(fLoop, [&] { victim.reset(); });
    killer.FireAt(1000);
    victim->FireAt(1000);
    fDriver.RunUntilIdle();
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(victim, nullptr);
}

TEST_F(RunLoopTest, DescriptorSourceReportsReadableAndHangup)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::vector<unsigned> seen;
    std::string got;
    plat::FdSource source(fLoop, fds[0], plat::kFdReadable, [&](unsigned events) {
        seen.push_back(events);
        char buf[16];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n > 0)
            got.append(buf, size_t(n));
    });
    EXPECT_EQ(fDriver.RunUntilIdle(), 0u);
    ASSERT_EQ(write(fds[1], "abc", 3), 3);
    EXPECT_EQ(fDriver.RunUntilIdle(), 1u);
    EXPECT_EQ(got, "abc");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], unsigned(plat::kFdReadable));
    close(fds[1]);
    fLoop.RunPending(plat::kModeDefault);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[1] & plat::kFdHangup);
    source.SetEvents(0);
    EXPECT_EQ(fDriver.RunUntilIdle(), 0u);
    close(fds[0]);
}

TEST(RunLoop, RunInModeTimesOutOnTheRealClock)
{
    plat::RunLoop loop;
    const uint64_t start = plat::NowMs();
    EXPECT_EQ(loop.RunInMode(plat::kModeDefault, 30, true), plat::RunResult::TimedOut);
    EXPECT_GE(plat::NowMs() - start, 30u);
    EXPECT_EQ(loop.RunInMode(plat::kModeDefault, 0, true), plat::RunResult::TimedOut);
}

TEST(RunLoop, SignalFromAnotherThreadEndsTheWait)
{
    plat::RunLoop loop;
    std::atomic<int> calls{0};
    plat::RunLoopSource source(loop, [&] { ++calls; });
    std::thread poster([&] {
        usleep(20000);
        source.Signal();
    });
    // Generous timeout: the signal, not the timeout, must end the run.
    EXPECT_EQ(loop.RunInMode(plat::kModeDefault, 10000, true), plat::RunResult::HandledSource);
    EXPECT_EQ(calls.load(), 1);
    poster.join();
}

TEST(RunLoop, StopFromAnotherThreadEndsRun)
{
    plat::RunLoop loop;
    std::thread stopper([&] {
        usleep(10000);
        loop.Stop();
    });
    EXPECT_EQ(loop.RunInMode(plat::kModeDefault, 10000, false), plat::RunResult::Stopped);
    stopper.join();
}

TEST(RunLoop, TimerArmedFromAnotherThreadShortensTheWait)
{
    plat::RunLoop loop;
    std::atomic<bool> fired{false};
    plat::RunLoopTimer timer(loop, [&] {
        fired = true;
        loop.Stop();
    });
    std::thread armer([&] {
        usleep(10000);
        timer.FireAfter(5);
    });
    EXPECT_EQ(loop.RunInMode(plat::kModeDefault, 10000, false), plat::RunResult::Stopped);
    EXPECT_TRUE(fired.load());
    armer.join();
}

TEST(RunLoop, InvalidateFromAnotherThreadWaitsForARunningCallback)
{
    plat::RunLoop loop;
    std::atomic<bool> inside{false};
    std::atomic<bool> finished{false};
    auto source = std::make_unique<plat::RunLoopSource>(loop, [&] {
        inside = true;
        usleep(30000);
        finished = true;
    });
    source->Signal();
    std::thread runner([&] { loop.RunInMode(plat::kModeDefault, 10000, true); });
    while (!inside.load())
        usleep(100);
    source.reset(); // must not return while the callback still runs
    EXPECT_TRUE(finished.load());
    runner.join();
}

// The work before each sleep follows what a timer did at once, and input it finds is served
// before the loop sleeps again.
TEST(RunLoop, BeforeWaitWorkRunsBeforeEachSleepAndWhatItSignalsEndsTheWait)
{
    plat::RunLoop loop;
    std::vector<std::string> order;
    plat::RunLoopSource input(loop, [&] { order.push_back("input"); });
    plat::RunLoopTimer timer(loop, [&] { order.push_back("timer"); });
    loop.SetBeforeWait([&] {
        order.push_back("before");
        if (order.size() > 2)
            input.Signal();
    });
    timer.FireAfter(20);
    const uint64_t start = plat::NowMs();
    EXPECT_EQ(loop.RunInMode(plat::kModeDefault, 5000, true), plat::RunResult::HandledSource);
    EXPECT_LT(plat::NowMs() - start, 1000u);
    EXPECT_EQ(order, (std::vector<std::string>{"before", "timer", "before", "input"}));
    loop.RunPending(plat::kModeDefault); // no wait, no work before it
    EXPECT_EQ(order.size(), 4u);
}

TEST(RunLoop, CurrentIsOnePerThread)
{
    plat::RunLoop* mine = &plat::RunLoop::Current();
    EXPECT_EQ(mine, &plat::RunLoop::Current());
    plat::RunLoop* other = nullptr;
    std::thread t([&] { other = &plat::RunLoop::Current(); });
    t.join();
    EXPECT_NE(mine, other);
}
