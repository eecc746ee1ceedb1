#include "foundation/async/LAsyncEvent.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LAsyncSignal.h"
#include "foundation/async/LAsyncTimer.h"
#include "foundation/core/StrEqual.h"
#include "foundation/async/LTicks.h"
#include "platform/Clock.h"
#include "platform/threads/RecursiveMutex.h"
#include "tests/support/StepQueue.h"

#include <gtest/gtest.h>

#include <tuple>

#include <functional>
#include <string>
#include <vector>

namespace {

// Records the type and subject of every message it receives and consumes it; an optional
// action runs first.
class Recorder : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        log.push_back({msg.type ? msg.type : "", msg.subject});
        if (action)
            action(msg);
        LMessage::Clear(result);
    }
    int Count(const char* type) const
    {
        int n = 0;
        for (const auto& entry : log)
            n += StrEqual(entry.first.c_str(), type) ? 1 : 0;
        return n;
    }
    std::vector<std::pair<std::string, LHandler*>> log;
    std::function<void(const LMessage&)> action;
};

class LAsyncQueueTest : public ::testing::Test {
protected:
    // The main loop's part: send every due main-thread timer message.
    int DispatchMainTimers()
    {
        int sent = 0;
        for (;;) {
            const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
            if (msg.IsConsumed())
                return sent;
            LMessage::Send(msg);
            ++sent;
        }
    }
    void Fire()
    {
        LAsyncQueueLock lock(fQueue);
        fQueue.FireDueTimers();
    }

    plat::ScopedVirtualClock fClock{10000};
    StepQueue fQueue;
    Recorder fOwner;
};

} // namespace

TEST_F(LAsyncQueueTest, TimeToNextWithoutTimersIsTheLongestWaitAndZeroWhenOverdue)
{
    EXPECT_EQ(fQueue.TimeToNext(), 0x7FFFFFFFu);
    LAsyncTimer t(&fOwner, &fQueue);
    t.Start(30);
    EXPECT_EQ(fQueue.TimeToNext(), 30u);
    fClock.AdvanceMs(100);
    EXPECT_EQ(fQueue.TimeToNext(), 0u);
}

TEST_F(LAsyncQueueTest, TimersFireInDueOrderAndEqualDelaysInSchedulingOrder)
{
    LAsyncTimer a(&fOwner, &fQueue), b(&fOwner, &fQueue), c(&fOwner, &fQueue), d(&fOwner, &fQueue);
    c.Start(20);
    a.Start(10);
    b.Start(10);
    d.Start(30);
    using Log = std::vector<std::pair<std::string, LHandler*>>;
    fClock.AdvanceMs(19);
    Fire();
    EXPECT_EQ(fOwner.log, (Log{{"LAsyncTimer_Expire", &a}, {"LAsyncTimer_Expire", &b}}));
    fClock.AdvanceMs(20);
    Fire();
    EXPECT_EQ(fOwner.log.size(), 4u);
    EXPECT_EQ(std::pair(fOwner.log[2].second, fOwner.log[3].second), (std::pair<LHandler*, LHandler*>(&c, &d)));
    EXPECT_FALSE(a.IsScheduled());
}

TEST_F(LAsyncQueueTest, OnlyANewHeadWakesTheDispatchThreadAndAZeroDelayRestartFiresInTheSamePass)
{
    LAsyncTimer a(&fOwner, &fQueue), b(&fOwner, &fQueue), c(&fOwner, &fQueue);
    // c's first start has the head's due time and goes after it.
    for (const auto& [timer, delay, wakes] : {std::tuple(&a, 100u, 1), {&b, 200u, 1}, {&c, 100u, 1}, {&c, 50u, 2}}) {
        timer->Start(delay);
        EXPECT_EQ(fQueue.wakes, wakes);
    }

    LAsyncTimer t(&fOwner, &fQueue);
    int restarts = 0;
    fOwner.action = [&](const LMessage&) {
        if (++restarts < 3)
            t.Start(0);
    };
    t.Start(0);
    Fire();
    EXPECT_EQ(fOwner.log.size(), 3u);
}

TEST_F(LAsyncQueueTest, RestartMovesTheTimerAndStopOrDestructionUnschedules)
{
    LAsyncTimer a(&fOwner, &fQueue), b(&fOwner, &fQueue);
    auto gone = std::make_unique<LAsyncTimer>(&fOwner, &fQueue);
    a.Start(10);
    b.Start(20);
    a.Start(30);
    gone->Start(5);
    gone.reset();
    b.Stop();
    fOwner.log.clear(); // drops the destruction notice
    fClock.AdvanceMs(100);
    Fire();
    EXPECT_EQ(fOwner.log, (std::vector<std::pair<std::string, LHandler*>>{{"LAsyncTimer_Expire", &a}}));
}

TEST_F(LAsyncQueueTest, HugeDelayIsClampedBehindEveryShorterTimer)
{
    LAsyncTimer huge(&fOwner, &fQueue), small(&fOwner, &fQueue);
    huge.Start(0xFFFFFFFFu);
    small.Start(1000);
    EXPECT_EQ(huge.Due(), 10000u + 0x7FFFFFFFu);
    EXPECT_EQ(fQueue.TimeToNext(), 1000u);
    fClock.AdvanceMs(1000);
    Fire();
    EXPECT_EQ(fOwner.log, (std::vector<std::pair<std::string, LHandler*>>{{"LAsyncTimer_Expire", &small}}));
}

TEST_F(LAsyncQueueTest, DueTimeAcrossTheClockWrapFiresAtTheRightMoment)
{
    fClock.clock().SetUs(uint64_t(0xFFFFFFF0u) * 1000);
    LAsyncTimer t(&fOwner, &fQueue);
    t.Start(32);
    fClock.AdvanceMs(0x15); // clock at 0x05 after the wrap
    Fire();
    EXPECT_EQ(fQueue.TimeToNext(), 11u);
    EXPECT_TRUE(fOwner.log.empty());
    fClock.AdvanceMs(11);
    Fire();
    EXPECT_EQ(fOwner.log.size(), 1u);
}

TEST_F(LAsyncQueueTest, SignalPostedManyTimesIsDeliveredOnceUnlessPostedByItsHandlerOrCancelled)
{
    LAsyncSignal s(&fOwner, &fQueue);
    for (int i = 0; i < 3; ++i)
        s.Post();
    EXPECT_TRUE(s.IsPosted());
    EXPECT_EQ(fQueue.SignalsQueued(), 1u);
    EXPECT_EQ(fQueue.DeliverSignals(), 1);
    EXPECT_FALSE(s.IsPosted());
    EXPECT_EQ(fOwner.log, (std::vector<std::pair<std::string, LHandler*>>{{"LAsyncSignal_X", &s}}));

    // Posted again by its own handler: delivered again in the same pass.
    fOwner.action = [&](const LMessage&) {
        if (fOwner.log.size() == 2)
            s.Post();
    };
    s.Post();
    EXPECT_EQ(fQueue.DeliverSignals(), 2);
    fOwner.action = nullptr;

    // Cancelled or destroyed: never delivered; a cancelled signal can be posted again.
    auto gone = std::make_unique<LAsyncSignal>(&fOwner, &fQueue);
    s.Post();
    gone->Post();
    fQueue.CancelSignal(&s);
    EXPECT_FALSE(s.IsPosted());
    gone.reset();
    EXPECT_EQ(fQueue.DeliverSignals(), 0);
    s.Post();
    EXPECT_EQ(fQueue.DeliverSignals(), 1);
}

TEST_F(LAsyncQueueTest, NotePostedManyTimesBeforeTheDrainArrivesOnceAndAgainWhenPostedWhileHandled)
{
    LAsyncEvent note(&fOwner, &fQueue);
    for (int i = 0; i < 3; ++i)
        note.Post();
    EXPECT_EQ(fQueue.drainRequests, 1);
    fQueue.Drain();
    EXPECT_TRUE(note.Timer().IsArmed());
    note.Post(); // armed: on its way already
    fQueue.Drain();
    EXPECT_EQ(DispatchMainTimers(), 1);
    EXPECT_EQ(fOwner.log, (std::vector<std::pair<std::string, LHandler*>>{{"LAsyncEvent_Note", &note}}));
    EXPECT_EQ(DispatchMainTimers(), 0);

    fOwner.action = [&](const LMessage&) {
        if (fOwner.log.size() == 2)
            note.Post();
    };
    note.Post();
    fQueue.Drain();
    DispatchMainTimers();
    EXPECT_EQ(fQueue.drainRequests, 3);
    fQueue.Drain();
    DispatchMainTimers();
    EXPECT_EQ(fOwner.Count("LAsyncEvent_Note"), 3);
}

TEST_F(LAsyncQueueTest, CancelledOrDestroyedNoteNeverArrives)
{
    LAsyncEvent pending(&fOwner, &fQueue), armed(&fOwner, &fQueue);
    auto gone = std::make_unique<LAsyncEvent>(&fOwner, &fQueue);
    armed.Post();
    fQueue.Drain();
    pending.Post();
    gone->Post();
    pending.Cancel();
    armed.Cancel();
    gone.reset();   // a destroyed pending note leaves the pending list
    fOwner.log.clear(); // drops the destruction notice
    fQueue.Drain();
    EXPECT_EQ(DispatchMainTimers(), 0);
    EXPECT_TRUE(fOwner.log.empty());
    armed.Post(); // idle again after the cancel
    fQueue.Drain();
    EXPECT_EQ(DispatchMainTimers(), 1);
}
