#include "platform/threads/Condition.h"
#include "platform/threads/Mutex.h"
#include "platform/threads/RecursiveMutex.h"
#include "platform/threads/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Drops CAP_SYS_NICE from the calling thread (capabilities are per thread), so that it
// is refused real-time scheduling like an ordinary user.
void DropNiceCapabilityOfThisThread()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    ASSERT_EQ(syscall(SYS_capget, &header, data), 0);
    data[0].effective &= ~(1u << CAP_SYS_NICE);
    data[0].permitted &= ~(1u << CAP_SYS_NICE);
    ASSERT_EQ(syscall(SYS_capset, &header, data), 0);
}

} // namespace

TEST(Thread, RunsBodyAndJoinsOnDestruction)
{
    std::atomic<int> ran{0};
    {
        plat::Thread thread;
        ASSERT_TRUE(thread.Start([&] {
            usleep(10000);
            ++ran;
        }));
        EXPECT_TRUE(thread.Started());
    }
    EXPECT_EQ(ran.load(), 1);
}

TEST(Thread, JoinWithoutStartDoesNothingAndSecondStartIsRefused)
{
    plat::Thread thread;
    thread.Join();
    EXPECT_FALSE(thread.Started());
    ASSERT_TRUE(thread.Start([] {}));
    EXPECT_FALSE(thread.Start([] {}));
    thread.Join();
    thread.Join();
}

TEST(Thread, CooperativeStopEndsALoopingBody)
{
    plat::Thread thread;
    std::atomic<int> laps{0};
    ASSERT_TRUE(thread.Start([&] {
        while (!thread.StopRequested()) {
            ++laps;
            usleep(100);
        }
    }));
    while (laps.load() < 3)
        usleep(100);
    thread.RequestStop();
    thread.Join();
    EXPECT_TRUE(thread.StopRequested());
}

TEST(Thread, RealTimeRequestGrantedOrFallsBackButAlwaysStarts)
{
    plat::Thread thread;
    std::atomic<bool> ran{false};
    const plat::ThreadPriority wanted{plat::SchedPolicy::RoundRobin, plat::MaxPriority(plat::SchedPolicy::RoundRobin)};
    ASSERT_TRUE(thread.Start([&] { ran = true; }, wanted));
    thread.Join();
    EXPECT_TRUE(ran.load());
    if (thread.GotWantedPriority()) {
        EXPECT_EQ(thread.Granted().policy, plat::SchedPolicy::RoundRobin);
        EXPECT_EQ(thread.Granted().priority, 99);
    } else {
        EXPECT_EQ(thread.Granted().policy, plat::SchedPolicy::Other);
    }
}

TEST(Thread, RefusedRealTimePriorityStartsWithDefaultScheduling)
{
    // Runs in a helper thread whose capability drop does not touch the test process.
    plat::Thread helper;
    bool started = false, got = true;
    plat::ThreadPriority granted{plat::SchedPolicy::Fifo, -1};
    std::atomic<bool> ran{false};
    ASSERT_TRUE(helper.Start([&] {
        rlimit none{0, 0};
        setrlimit(RLIMIT_RTPRIO, &none);
        DropNiceCapabilityOfThisThread();
        plat::Thread worker;
        started = worker.Start([&] { ran = true; }, {plat::SchedPolicy::RoundRobin, 99});
        worker.Join();
        got = worker.GotWantedPriority();
        granted = worker.Granted();
    }));
    helper.Join();
    EXPECT_TRUE(started);
    EXPECT_TRUE(ran.load());
    EXPECT_FALSE(got);
    EXPECT_EQ(granted.policy, plat::SchedPolicy::Other);
}

TEST(Thread, PriorityRangeOfPolicies)
{
    EXPECT_EQ(plat::MinPriority(plat::SchedPolicy::RoundRobin), 1);
    EXPECT_EQ(plat::MaxPriority(plat::SchedPolicy::RoundRobin), 99);
    EXPECT_EQ(plat::MinPriority(plat::SchedPolicy::Other), 0);
    plat::ThreadPriority mine;
    ASSERT_TRUE(plat::CurrentThreadPriority(mine));
    EXPECT_EQ(mine.policy, plat::SchedPolicy::Other);
}

TEST(RecursiveMutex, OwnerLocksAgainOthersWait)
{
    plat::RecursiveMutex mutex;
    mutex.Lock();
    mutex.Lock();
    std::atomic<bool> otherGot{true};
    plat::Thread other;
    ASSERT_TRUE(other.Start([&] { otherGot = mutex.TryLock(); }));
    other.Join();
    EXPECT_FALSE(otherGot.load());
    mutex.Unlock();
    mutex.Unlock();
    plat::Thread again;
    ASSERT_TRUE(again.Start([&] {
        otherGot = mutex.TryLock();
        if (otherGot)
            mutex.Unlock();
    }));
    again.Join();
    EXPECT_TRUE(otherGot.load());
}

TEST(Condition, TimedWaitTimesOutAndSignalWakes)
{
    plat::Mutex mutex;
    plat::Condition cond;
    {
        plat::ScopedLock<plat::Mutex> lock(mutex);
        EXPECT_FALSE(cond.WaitForMs(mutex, 0));
        EXPECT_FALSE(cond.WaitForMs(mutex, 20));
    }
    bool ready = false;
    plat::Thread signaller;
    ASSERT_TRUE(signaller.Start([&] {
        usleep(10000);
        plat::ScopedLock<plat::Mutex> lock(mutex);
        ready = true;
        cond.Broadcast();
    }));
    plat::ScopedLock<plat::Mutex> lock(mutex);
    for (int i = 0; i < 100 && !ready; ++i)
        (void)cond.WaitForMs(mutex, 100);
    EXPECT_TRUE(ready);
}
