#include "shell/CRunLoopSignal.h"
#include "shell/CThread.h"
#include "shell/LMainSignal.h"
#include "shell/LThread.h"

#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>

namespace {

size_t PumpCurrentLoop() { return plat::RunLoopDriver(plat::RunLoop::Current()).RunUntilIdle(); }

} // namespace

TEST(LThread, PriorityIsTheCallersPlusTheDeltaClampedToThePolicy)
{
    using plat::SchedPolicy;
    const std::tuple<SchedPolicy, int, int, SchedPolicy, int> cases[] = {
        {SchedPolicy::Other, 0, LThread::kHighest, SchedPolicy::RoundRobin, 99},
        {SchedPolicy::RoundRobin, 50, 2, SchedPolicy::RoundRobin, 52},
        {SchedPolicy::RoundRobin, 5, -10, SchedPolicy::RoundRobin, 1},
        {SchedPolicy::RoundRobin, 98, 2, SchedPolicy::RoundRobin, 99},
        {SchedPolicy::RoundRobin, 2147483647, 2, SchedPolicy::RoundRobin, 99},
        {SchedPolicy::Fifo, 10, 0, SchedPolicy::Fifo, 10},
        {SchedPolicy::Other, 0, -2, SchedPolicy::Other, 0},
    };
    for (const auto& [policy, priority, delta, wantPolicy, wantPriority] : cases) {
        const plat::ThreadPriority got = LThread::PriorityFor({policy, priority}, delta);
        EXPECT_EQ(got.policy, wantPolicy) << priority << " " << delta;
        EXPECT_EQ(got.priority, wantPriority) << priority << " " << delta;
    }
}

TEST(LThread, HighestPriorityThreadStartsEvenWhenRealTimeIsRefused)
{
    std::atomic<bool> ran{false};
    LThread thread;
    ASSERT_TRUE(thread.Start(&ran, [](void* arg) { static_cast<std::atomic<bool>*>(arg)->store(true); },
                             LThread::kHighest));
    thread.Join();
    EXPECT_TRUE(ran.load());
    const plat::SchedPolicy expected =
        thread.Thread().GotWantedPriority() ? plat::SchedPolicy::RoundRobin : plat::SchedPolicy::Other;
    EXPECT_EQ(thread.Thread().Granted().policy, expected);
    CThread never; // stopping a thread that never started does nothing
    never.Stop();
    EXPECT_FALSE(never.IsStarted());
}

TEST(LMainSignal, TwoSignalsGiveOneCallAndReleasingCancelsIt)
{
    int calls = 0;
    LMainSignal signal;
    signal.Signal(); // before Init: nothing
    signal.Init(&calls, [](void* context) { ++*static_cast<int*>(context); });
    EXPECT_EQ(signal.RunLoop(), &plat::RunLoop::Current());
    signal.Signal();
    signal.Signal();
    PumpCurrentLoop();
    EXPECT_EQ(calls, 1);

    calls = 0; // releasing cancels a call that has not run
    {
        LMainSignal released;
        released.Init(&calls, [](void* context) { ++*static_cast<int*>(context); });
        released.Signal();
    }
    PumpCurrentLoop();
    EXPECT_EQ(calls, 0);
}

TEST(LMainSignal, SignalFromAWorkerRunsOnTheInitialisingThread)
{
    struct Seen {
        std::thread::id thread;
        std::atomic<bool> called{false};
    } seen;
    LMainSignal signal;
    signal.Init(&seen, [](void* context) {
        auto* s = static_cast<Seen*>(context);
        s->thread = std::this_thread::get_id();
        s->called = true;
    });
    std::thread worker([&] { signal.Signal(); });
    worker.join();
    for (int i = 0; i < 1000 && !seen.called.load(); ++i)
        plat::RunLoop::Current().RunInMode(plat::kModeDefault, 5, true);
    ASSERT_TRUE(seen.called.load());
    EXPECT_EQ(seen.thread, std::this_thread::get_id());
}

TEST(CRunLoopSignal, SignalsMergeUntilTheCallAndASignalDuringTheCallCallsAgain)
{
    struct State {
        int calls = 0;
        CRunLoopSignal* signal = nullptr;
    } state;
    CRunLoopSignal wake(
        [](void* context, CRunLoopSignal* self) {
            auto* s = static_cast<State*>(context);
            if (++s->calls == 1)
                self->Signal();
        },
        &state);
    state.signal = &wake;
    wake.Signal();
    wake.Signal();
    EXPECT_TRUE(wake.IsPending());
    plat::RunLoop::Current().RunPending(plat::kModeDefault);
    EXPECT_EQ(state.calls, 1);
    EXPECT_TRUE(wake.IsPending());
    PumpCurrentLoop();
    EXPECT_EQ(state.calls, 2);
    EXPECT_FALSE(wake.IsPending());
}
