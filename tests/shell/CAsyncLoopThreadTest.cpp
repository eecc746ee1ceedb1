#include "shell/CAsyncLoopThread.h"

#include "foundation/async/LAsyncEvent.h"
#include "foundation/async/LAsyncSignal.h"
#include "foundation/async/LAsyncTimer.h"
#include "foundation/core/StrEqual.h"
#include "foundation/async/LTicks.h"
#include "platform/runloop/RunLoop.h"
#include "ui/LTimer.h"

#include "tests/support/FireDueTimers.h"
#include "tests/support/WaitFor.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The drain requests that reached the main thread.
std::atomic<int> gDrainCalls{0};

void CountingDrain(void* context, CRunLoopSignal* signal)
{
    ++gDrainCalls;
    CAsyncLoopThread::DrainCallback(context, signal);
}

std::unique_ptr<CAsyncLoopThread> MakeQueue()
{
    gDrainCalls = 0;
    return std::make_unique<CAsyncLoopThread>([](CRunLoopSignal::Callback, void* context) {
        return std::make_unique<CRunLoopSignal>(CountingDrain, context);
    });
}

// Runs the test thread's loop as the main loop would: its run loop, then the due timers.
void PumpMain(std::chrono::milliseconds span)
{
    const auto end = std::chrono::steady_clock::now() + span;
    do {
        plat::RunLoop::Current().RunInMode(plat::kModeDefault, 2, false);
        FireDueTimers();
    } while (std::chrono::steady_clock::now() < end);
}

// Runs an action on the calling thread for every message it receives, then consumes it.
class Handler : public LHandler {
public:
    explicit Handler(std::function<void(const LMessage&)> onMessage) : fOnMessage(std::move(onMessage)) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (!StrEqual(msg.type, LHandler::msgDestructing))
            fOnMessage(msg);
        LMessage::Clear(result);
    }

private:
    std::function<void(const LMessage&)> fOnMessage;
};

} // namespace

TEST(CAsyncLoopThread, SignalFromEightThreadsIsDeliveredAfterTheLastPostAndNeverConcurrently)
{
    constexpr int kThreads = 8;
    constexpr int kPosts = 100000;
    auto queue = MakeQueue();
    std::atomic<int> posts{0};
    std::atomic<int> lastSeen{0};
    std::atomic<bool> inDelivery{false};
    std::atomic<int> overlaps{0};
    std::atomic<bool> onTestThread{false};
    const auto testThread = std::this_thread::get_id();
    Handler handler([&](const LMessage&) {
        if (inDelivery.exchange(true))
            ++overlaps;
        if (std::this_thread::get_id() == testThread)
            onTestThread = true;
        lastSeen = posts.load();
        inDelivery = false;
    });
    LAsyncSignal signal(&handler, queue.get());
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([&] {
            for (int i = 0; i < kPosts; ++i) {
                posts.fetch_add(1);
                signal.Post();
            }
        });
    }
    for (std::thread& p : posters)
        p.join();
    EXPECT_TRUE(WaitFor([&] { return lastSeen.load() == kThreads * kPosts; }))
        << "the last posts were never delivered; last seen " << lastSeen.load();
    EXPECT_EQ(overlaps.load(), 0);
    EXPECT_FALSE(onTestThread.load());
    queue->Stop();
}

TEST(CAsyncLoopThread, QueueLockIsHeldWhileASignalIsDelivered)
{
    auto queue = MakeQueue();
    std::atomic<bool> otherGotLock{false};
    std::atomic<bool> gotLockDuringDelivery{true};
    std::atomic<bool> delivered{false};
    std::thread other;
    Handler handler([&](const LMessage&) {
        other = std::thread([&] {
            queue->Lock();
            otherGotLock = true;
            queue->Unlock();
        });
        std::this_thread::sleep_for(30ms);
        gotLockDuringDelivery = otherGotLock.load();
        delivered = true;
    });
    LAsyncSignal signal(&handler, queue.get());
    signal.Post();
    ASSERT_TRUE(WaitFor([&] { return delivered.load(); }));
    EXPECT_FALSE(gotLockDuringDelivery.load());
    EXPECT_TRUE(WaitFor([&] { return otherGotLock.load(); }));
    other.join();
}

TEST(CAsyncLoopThread, SignalCancelledOrDestroyedBeforeThePassIsNotDelivered)
{
    auto queue = MakeQueue();
    std::atomic<int> deliveries{0};
    Handler handler([&](const LMessage&) { ++deliveries; });
    LAsyncSignal cancelled(&handler, queue.get());
    auto destroyed = std::make_unique<LAsyncSignal>(&handler, queue.get());
    queue->Lock(); // holds the next pass back
    cancelled.Post();
    destroyed->Post();
    queue->CancelSignal(&cancelled);
    destroyed.reset();
    EXPECT_FALSE(cancelled.IsPosted());
    queue->Unlock();
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(deliveries.load(), 0);
    cancelled.Post();
    EXPECT_TRUE(WaitFor([&] { return deliveries.load() == 1; }));
}

TEST(CAsyncLoopThread, StopWithSignalsInFlightLosesNoneAndReturns)
{
    constexpr int kSignals = 64;
    auto queue = MakeQueue();
    std::atomic<int> epoch{0};
    std::vector<std::atomic<int>> seenFinal(kSignals);
    std::vector<std::unique_ptr<LAsyncSignal>> signals;
    std::vector<std::unique_ptr<Handler>> handlers;
    for (int i = 0; i < kSignals; ++i) {
        handlers.push_back(std::make_unique<Handler>([&, i](const LMessage&) {
            if (epoch.load() == 1)
                seenFinal[i] = 1;
            if (i % 8 == 0)
                std::this_thread::sleep_for(200us); // keeps signals queued behind it
        }));
        signals.push_back(std::make_unique<LAsyncSignal>(handlers.back().get(), queue.get()));
    }
    std::vector<std::thread> posters;
    for (int t = 0; t < 4; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i)
                signals[(i * 7 + t) % kSignals]->Post();
        });
    }
    for (std::thread& p : posters)
        p.join();
    epoch = 1;
    for (auto& s : signals)
        s->Post();
    auto stopped = std::async(std::launch::async, [&] { queue->Stop(); });
    if (stopped.wait_for(10s) != std::future_status::ready) {
        // The stop is stuck for good: end the test program instead of hanging it.
        std::fputs("stopping the dispatch thread hangs\n", stderr);
        std::abort();
    }
    for (int i = 0; i < kSignals; ++i)
        EXPECT_EQ(seenFinal[i].load(), 1) << "signal " << i << " posted before the stop was lost";
    signals.clear();
}

TEST(CAsyncLoopThread, NotesPostedFromOtherThreadsArriveOnTheMainThreadCoalesced)
{
    auto queue = MakeQueue();
    std::vector<std::thread::id> noteThreads;
    Handler owner([&](const LMessage& msg) {
        if (StrEqual(msg.type, "LAsyncEvent_Note"))
            noteThreads.push_back(std::this_thread::get_id());
    });
    LAsyncEvent note(&owner, queue.get());
    auto postThrice = [&] {
        for (int i = 0; i < 3; ++i)
            note.Post();
    };
    std::thread a(postThrice), b(postThrice);
    a.join();
    b.join();
    PumpMain(30ms);
    ASSERT_EQ(noteThreads.size(), 1u);
    EXPECT_EQ(noteThreads[0], std::this_thread::get_id());
    EXPECT_EQ(gDrainCalls.load(), 1);
    note.Post();
    PumpMain(30ms);
    EXPECT_EQ(noteThreads.size(), 2u);
}

TEST(CAsyncLoopThread, SignalHandlerStartsATimerUnderTheLockItAlreadyHolds)
{
    auto queue = MakeQueue();
    std::atomic<int> expired{0};
    std::unique_ptr<LAsyncTimer> timer;
    Handler handler([&](const LMessage& msg) {
        if (StrEqual(msg.type, "LAsyncSignal_X"))
            timer->Start(0); // takes the recursive queue lock a second time
        else if (StrEqual(msg.type, "LAsyncTimer_Expire"))
            ++expired;
    });
    timer = std::make_unique<LAsyncTimer>(&handler, queue.get());
    LAsyncSignal signal(&handler, queue.get());
    signal.Post();
    EXPECT_TRUE(WaitFor([&] { return expired.load() == 1; }, 5s));
    queue->Stop();
    timer.reset(); // before its handler goes
}

TEST(CAsyncLoopThread, WatchedDescriptorDeliversItsSignalUntilUnwatched)
{
    auto queue = MakeQueue();
    std::atomic<int> delivered{0};
    std::atomic<bool> onDispatchThread{false};
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    {
        Handler handler([&](const LMessage&) {
            char byte;
            (void)!::read(ends[0], &byte, 1); // no longer readable: one delivery per byte
            onDispatchThread = queue->RunLoop() == &plat::RunLoop::Current();
            ++delivered;
        });
        LAsyncSignal signal(&handler, queue.get());
        ASSERT_TRUE(queue->WatchReadable(ends[0], &signal));
        ASSERT_EQ(::write(ends[1], "ab", 2), 2);
        EXPECT_TRUE(WaitFor([&] { return delivered.load() == 2; }));
        EXPECT_TRUE(onDispatchThread.load());
        queue->UnwatchReadable(ends[0]);
        ASSERT_EQ(::write(ends[1], "c", 1), 1);
        std::this_thread::sleep_for(50ms);
        EXPECT_EQ(delivered.load(), 2);
    }
    queue->Stop();
    LAsyncSignal late(nullptr, queue.get());
    EXPECT_FALSE(queue->WatchReadable(ends[0], &late));
    ::close(ends[0]);
    ::close(ends[1]);
}
