#include "sources/ports/CFdWatcher.h"

#include "tests/support/PortTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>
#include <fcntl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace porttest;

namespace {

// The program's queue, except that its dispatch thread does not wait on descriptors: the
// watcher then waits on its own thread. Everything else goes to the real queue.
class QueueWithoutWatches : public LAsyncQueue {
public:
    explicit QueueWithoutWatches(CAsyncLoopThread& real) : fReal(real) {}
    void ScheduleTimer(LAsyncTimer& timer, const uint32_t& delay) override { fReal.ScheduleTimer(timer, delay); }
    void Wake() override { fReal.Wake(); }
    void RequestDrain() override { fReal.RequestDrain(); }
    void PostSignal(LAsyncSignal* signal) override { fReal.PostSignal(signal); }
    void UnregisterSignal(LAsyncSignal* signal) override { fReal.UnregisterSignal(signal); }
    void CancelSignal(LAsyncSignal* signal) override { fReal.CancelSignal(signal); }
    void Lock() override { fReal.Lock(); }
    void Unlock() override { fReal.Unlock(); }
    uint32_t NowMs() override { return fReal.NowMs(); }
    plat::RunLoop* RunLoop() override { return fReal.RunLoop(); }

private:
    CAsyncLoopThread& fReal;
};

enum class Waiter { Queue, OwnThread };

// A connected pair of local sockets and a watcher on a real queue, waiting on the queue's
// thread or on its own; the callbacks count per kind.
class CFdWatcherTest : public ::testing::TestWithParam<Waiter> {
protected:
    void SetUp() override
    {
        thread = MakeQueue();
        queue = thread.get();
        if (GetParam() == Waiter::OwnThread) {
            withoutWatches = std::make_unique<QueueWithoutWatches>(*thread);
            queue = withoutWatches.get();
        }
        watcher = CFdWatcher::Acquire(queue);
        ASSERT_EQ(watcher->QueueWaits(), GetParam() == Waiter::Queue);
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    }
    void TearDown() override
    {
        watcher->Unregister(pair[0]);
        ::close(pair[0]);
        ::close(pair[1]);
        CFdWatcher::Release();
        thread->Stop();
    }

    static void Count(void* context, uint32_t kind)
    {
        auto* self = static_cast<CFdWatcherTest*>(context);
        (kind == CFdWatcher::kReadable ? self->reads : self->writes)++;
        self->callbackThread = std::this_thread::get_id();
    }
    CFdCallback Callback() { return CFdCallback{this, Count}; }

    bool WaitForReads(int n)
    {
        return PumpUntil([&] { return reads.load() >= n; }, 5s);
    }

    std::unique_ptr<CAsyncLoopThread> thread;
    std::unique_ptr<QueueWithoutWatches> withoutWatches;
    LAsyncQueue* queue = nullptr;
    CFdWatcher* watcher = nullptr;
    int pair[2] = {-1, -1};
    std::atomic<int> reads{0};
    std::atomic<int> writes{0};
    std::atomic<std::thread::id> callbackThread{};
};

} // namespace

TEST_P(CFdWatcherTest, OneWatcherPerProcessAndRegisterMakesTheDescriptorNonBlockingUntilUnregistered)
{
    EXPECT_EQ(CFdWatcher::Acquire(queue), watcher);
    CFdWatcher::Release();
    watcher->Register(pair[0], Callback());
    EXPECT_TRUE(::fcntl(pair[0], F_GETFL) & O_NONBLOCK);
    watcher->Unregister(pair[0]);
    EXPECT_FALSE(::fcntl(pair[0], F_GETFL) & O_NONBLOCK);
}

TEST_P(CFdWatcherTest, ReadinessIsReportedOncePerArmingOnTheQueueThreadAndANewRegistrationStartsIdle)
{
    watcher->Register(pair[0], Callback());
    watcher->Arm(pair[0], CFdWatcher::kReadable);
    watcher->Arm(pair[0], CFdWatcher::kReadable);
    ASSERT_EQ(::write(pair[1], "x", 1), 1);
    ASSERT_TRUE(WaitForReads(1));
    PumpFor(100ms);
    EXPECT_EQ(reads.load(), 1) << "readiness is reported once per arming";
    EXPECT_EQ(writes.load(), 0);
    EXPECT_NE(callbackThread.load(), std::this_thread::get_id());
    watcher->Arm(pair[0], CFdWatcher::kReadable); // the byte is still unread
    ASSERT_TRUE(WaitForReads(2));
    // A new registration of the same number starts idle: the unread byte calls back only once armed.
    watcher->Register(pair[0], Callback());
    PumpFor(50ms);
    EXPECT_EQ(reads.load(), 2);
    watcher->Arm(pair[0], CFdWatcher::kReadable);
    EXPECT_TRUE(WaitForReads(3));
}

TEST_P(CFdWatcherTest, DescriptorUnregisteredOnTheReadyListGetsNoCallback)
{
    watcher->Register(pair[0], Callback());
    {
        // The dispatch waits for the queue lock, so the entry stays on the ready list.
        LAsyncQueueLock lock(*queue);
        watcher->Arm(pair[0], CFdWatcher::kReadable);
        ASSERT_EQ(::write(pair[1], "x", 1), 1);
        std::this_thread::sleep_for(100ms);
        watcher->Unregister(pair[0]);
    }
    PumpFor(150ms);
    EXPECT_EQ(reads.load(), 0);
}

TEST_P(CFdWatcherTest, DescriptorsAbove1023AreWatched)
{
    const int high = ::dup2(pair[0], 1500);
    ASSERT_EQ(high, 1500) << "the test needs an open-file limit above 1500";
    watcher->Register(high, Callback());
    watcher->Arm(high, CFdWatcher::kReadable);
    ASSERT_EQ(::write(pair[1], "x", 1), 1);
    EXPECT_TRUE(WaitForReads(1));
    watcher->Unregister(high);
    ::close(high);
}

TEST_P(CFdWatcherTest, HangUpIsReportedOnceAndNeverSpins)
{
    watcher->Register(pair[0], Callback());
    watcher->Arm(pair[0], CFdWatcher::kReadable);
    ::shutdown(pair[1], SHUT_RDWR);
    ASSERT_TRUE(WaitForReads(1));
    PumpFor(100ms);
    EXPECT_EQ(reads.load(), 1);
}

TEST_P(CFdWatcherTest, ArmOfAnUnknownDescriptorChangesNothing)
{
    watcher->Arm(pair[0], CFdWatcher::kReadable);
    ASSERT_EQ(::write(pair[1], "x", 1), 1);
    PumpFor(100ms);
    EXPECT_EQ(reads.load(), 0);
}

TEST_P(CFdWatcherTest, ManyDescriptorsArmedFromManyThreadsAllCallBack)
{
    constexpr int kPairs = 64;
    std::vector<std::array<int, 2>> pairs(kPairs);
    for (auto& p : pairs) {
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, p.data()), 0);
        watcher->Register(p[0], Callback());
    }
    std::vector<std::thread> armers;
    for (int t = 0; t < 4; ++t)
        armers.emplace_back([&, t] {
            for (int i = t; i < kPairs; i += 4) {
                watcher->Arm(pairs[i][0], CFdWatcher::kReadable);
                (void)!::write(pairs[i][1], "x", 1);
            }
        });
    for (auto& a : armers)
        a.join();
    EXPECT_TRUE(WaitForReads(kPairs));
    for (auto& p : pairs) {
        watcher->Unregister(p[0]);
        ::close(p[0]);
        ::close(p[1]);
    }
    EXPECT_EQ(reads.load(), kPairs);
}

TEST_P(CFdWatcherTest, ReadableAndWritableArmedTogetherBothCallBack)
{
    watcher->Register(pair[0], Callback());
    // Filled up, the socket is not writable; the readable kind reports first.
    std::vector<char> fill(1 << 16, 'x');
    while (::send(pair[0], fill.data(), fill.size(), MSG_DONTWAIT) > 0) {
    }
    watcher->Arm(pair[0], CFdWatcher::kReadable);
    watcher->Arm(pair[0], CFdWatcher::kWritable);
    ASSERT_EQ(::write(pair[1], "x", 1), 1);
    EXPECT_TRUE(WaitForReads(1));
    EXPECT_EQ(writes.load(), 0);
    // The writable kind stays armed after the readable one reported.
    while (::recv(pair[1], fill.data(), fill.size(), MSG_DONTWAIT) > 0) {
    }
    EXPECT_TRUE(PumpUntil([&] { return writes.load() == 1; }, 5s));
}

TEST_P(CFdWatcherTest, RegularFileIsReportedReadyAtOnce)
{
    char path[] = "/tmp/fdwatcherXXXXXX";
    const int file = ::mkstemp(path);
    ASSERT_GE(file, 0);
    ::unlink(path);
    watcher->Register(file, Callback());
    watcher->Arm(file, CFdWatcher::kReadable);
    EXPECT_TRUE(WaitForReads(1));
    watcher->Unregister(file);
    ::close(file);
}

INSTANTIATE_TEST_SUITE_P(Waiters, CFdWatcherTest, ::testing::Values(Waiter::Queue, Waiter::OwnThread),
                         [](const auto& info) { return info.param == Waiter::Queue ? "Queue" : "OwnThread"; });
