#include "ui/LTimer.h"

#include "foundation/core/StrEqual.h"
#include "foundation/async/LTicks.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// Records the subjects of the "LTimer_Expire" messages it receives and consumes them.
class Owner : public LHandler {
public:
    explicit Owner(LHandler* parent = nullptr) : LHandler(parent) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, LTimer::msgExpire)) {
            expired.push_back(msg.subject);
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    std::vector<LHandler*> expired;
};

// The subject of the next due expiry, or null when none is due.
LHandler* Next(uint32_t now, const LHandler* modal = nullptr, const LHandler* window = nullptr)
{
    const LMessage msg = LTimer::DispatchDue(now, modal, window, true);
    return msg.IsConsumed() ? nullptr : msg.subject;
}

uint32_t MsUntilNext() { return LTimer::MsUntilNext(nullptr, nullptr, true); }

class LTimerTest : public ::testing::Test {
protected:
    static constexpr uint32_t kStart = 5000;

    // Sends every message DispatchDue gives, as the main loop does; returns how many.
    int DispatchAll(uint32_t now, const LHandler* modal = nullptr, const LHandler* window = nullptr,
                    bool active = true)
    {
        int sent = 0;
        for (int guard = 0; guard < 1000; ++guard) {
            const LMessage msg = LTimer::DispatchDue(now, modal, window, active);
            if (msg.IsConsumed())
                return sent;
            EXPECT_TRUE(StrEqual(msg.type, "LTimer_Expire"));
            LMessage::Send(msg);
            ++sent;
        }
        ADD_FAILURE() << "DispatchDue never ran dry";
        return sent;
    }

    uint32_t Now() const { return LTicks::Now(); }

    plat::ScopedVirtualClock fClock{kStart};
    Owner fOwner;
};

} // namespace

TEST_F(LTimerTest, EqualDueTimesFireInStartOrderOnePerDispatch)
{
    LTimer a(&fOwner), b(&fOwner), c(&fOwner);
    for (LTimer* t : {&a, &b, &c})
        t->Start(10);
    EXPECT_EQ(LTimer::DispatchDue(kStart + 10, nullptr, nullptr, true).recipient, &fOwner);
    EXPECT_EQ((std::vector<LHandler*>{Next(kStart + 10), Next(kStart + 10), Next(kStart + 10)}),
              (std::vector<LHandler*>{&b, &c, nullptr}));
    EXPECT_FALSE(a.IsArmed());
}

TEST_F(LTimerTest, TimerIsDueAtItsTimeAndNeverBefore)
{
    LTimer t(&fOwner);
    t.Start(20);
    EXPECT_EQ(DispatchAll(kStart + 19), 0);
    EXPECT_EQ(MsUntilNext(), 20u);
    fClock.AdvanceMs(500);
    EXPECT_EQ(MsUntilNext(), 0u) << "an overdue timer is due now, not in a negative time";
    EXPECT_EQ(DispatchAll(kStart + 20), 1);
    EXPECT_EQ(MsUntilNext(), LTimer::kMaxDelay);
}

TEST_F(LTimerTest, PeriodicTimerRearmsFromItsScheduleOrFromNowWhenLate)
{
    LTimer t(&fOwner);
    t.StartPeriodic(100);
    EXPECT_EQ(t.Mode(), 0);
    // On schedule, due + period is still ahead; dispatched 350 ms late: one expiry, re-armed at
    // now + period, no burst.
    for (const auto& [now, fired, due] : {std::tuple(kStart + 130, 1, kStart + 200), {kStart + 550, 1, kStart + 650},
                                          {kStart + 550, 0, kStart + 650}}) {
        EXPECT_EQ(DispatchAll(now), fired) << now;
        EXPECT_EQ(t.Due(), due) << now;
    }
    t.Stop();
    EXPECT_FALSE(t.IsArmed());
    EXPECT_EQ(DispatchAll(kStart + 5000), 0);
}

TEST(LTimerWrap, DueTimesAcrossTheClockWrap)
{
    plat::ScopedVirtualClock clock(0xFFFFFFF0u);
    Owner owner;
    LTimer t(&owner);
    t.Start(32);
    EXPECT_EQ(t.Due(), 0x10u);
    for (uint32_t early : {0xFFFFFFFFu, 0x05u, 0x0Fu})
        EXPECT_EQ(Next(early), nullptr) << early;
    EXPECT_EQ(Next(0x10u), &t);

    LTimer afterWrap(&owner), beforeWrap(&owner);
    afterWrap.Start(0x18);  // due 0x08
    beforeWrap.Start(0x08); // due 0xFFFFFFF8
    EXPECT_EQ(MsUntilNext(), 8u);
    EXPECT_EQ((std::vector<LHandler*>{Next(0x20u), Next(0x20u)}), (std::vector<LHandler*>{&beforeWrap, &afterWrap}));
}

TEST_F(LTimerTest, HugeDelaysAreClampedSoOrderingHolds)
{
    LTimer huge(&fOwner), small(&fOwner);
    huge.Start(0xFFFFFFFFu);
    EXPECT_EQ(huge.Due(), kStart + 0x7FFFFFFFu);
    small.Start(1000);
    EXPECT_EQ(MsUntilNext(), 1000u);
    EXPECT_EQ(Next(kStart + 1000), &small);
    // Unclamped, 0xFFFFFFFF ahead would read as 1 ms in the past and fire at once.
    EXPECT_EQ(DispatchAll(kStart + 1000), 0);
    LTimer periodic(&fOwner);
    periodic.StartPeriodic(0x80000000u);
    EXPECT_EQ(periodic.Period(), 0x7FFFFFFFu);
}

TEST_F(LTimerTest, StartsAskTheMainLoopToRescheduleAndWaitUntilSleepsOnlyWhatIsLeft)
{
    int calls = 0;
    LTimer::SetRescheduleHook([](void* context) { ++*static_cast<int*>(context); }, &calls);
    LTimer t(&fOwner);
    t.Start(10, LTimer::kModeWake);
    t.StartPeriodic(10);
    t.Stop();  // a stop needs no new schedule
    LTimer::SetRescheduleHook(nullptr, nullptr);
    EXPECT_EQ(calls, 2);
    // Sleeping on the virtual clock moves it by exactly the time slept; kStart + 10 is already past.
    LTimer::WaitUntil(kStart, 50);
    LTimer::WaitUntil(kStart, 10);
    LTimer::Delay(0);
    EXPECT_EQ(Now(), kStart + 50);
    LTimer::Delay(7);
    EXPECT_EQ(Now(), kStart + 57);
}

TEST_F(LTimerTest, RestartMovesTheTimerAndDestructionUnlinksIt)
{
    auto gone = std::make_unique<LTimer>(&fOwner);
    LTimer stays(&fOwner);
    gone->Start(10);
    stays.Start(20);
    gone->Start(30); // moved behind `stays`, never in the list twice
    EXPECT_EQ((std::vector<LHandler*>{Next(kStart + 40), Next(kStart + 40), Next(kStart + 40)}),
              (std::vector<LHandler*>{&stays, gone.get(), nullptr}));
    gone->Start(0, LTimer::kModeModal);
    LHandler outsider;
    EXPECT_EQ(DispatchAll(kStart + 40, &outsider), 0); // now in the blocked list
    gone.reset();
    EXPECT_EQ(DispatchAll(kStart + 40), 0);
}

// The blocking rules, cell by cell. The owner sits inside a document frame that may be
// the modal window's owner or the modal handler; `outside` is a frame elsewhere.
class LTimerBlockingTest : public LTimerTest {
protected:
    // 'F' fires, 'B' waits.
    char Outcome(int mode, const LHandler* modal, const LHandler* window, bool active)
    {
        LTimer t(&fTimerOwner);
        t.Start(0, mode);
        const LMessage msg = LTimer::DispatchDue(Now(), modal, window, active);
        const bool blockedFree = LTimer::MsUntilNext(modal, window, active) == 0;
        if (!msg.IsConsumed()) {
            EXPECT_EQ(msg.subject, &t);
            return 'F';
        }
        EXPECT_FALSE(blockedFree) << "a blocked timer must not report itself free";
        EXPECT_TRUE(t.IsArmed()) << "a blocked timer waits in the blocked list";
        return 'B';
    }

    std::string Row(const LHandler* modal, const LHandler* window, bool active)
    {
        std::string row;
        for (int mode = 0; mode < 8; ++mode)
            row += Outcome(mode, modal, window, active);
        return row;
    }

    Owner fApp;
    Owner fDocument{&fApp};
    Owner fTimerOwner{&fDocument};
    Owner fOutside{&fApp};
};

TEST_F(LTimerBlockingTest, EveryCellOfTheTable)
{
    const LHandler* const none = nullptr;
    struct Case {
        const LHandler* modal;
        const LHandler* window;
        const char* active;
        const char* inactive;
    };
    // With a modal handler given, the modal window does not matter.
    const Case cases[] = {
        {none, none, "FFFFFFFF", "FFBBFFBB"},
        {none, &fDocument, "FFFFFFFF", "FFBBFFBB"},   // owner inside the modal window
        {none, &fTimerOwner, "FFFFFFFF", "FFBBFFBB"}, // the owner is that window itself
        {none, &fOutside, "FBFBBBFB", "FBBBBBBB"},
        {&fDocument, none, "FFFFFFFF", "FFBBFFBB"},
        {&fDocument, &fOutside, "FFFFFFFF", "FFBBFFBB"},
        {&fTimerOwner, none, "FFFFFFFF", "FFBBFFBB"},
        {&fTimerOwner, &fOutside, "FFFFFFFF", "FFBBFFBB"},
        {&fOutside, none, "FBFBFBFB", "FBBBFBBB"},
        {&fOutside, &fDocument, "FBFBFBFB", "FBBBFBBB"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(Row(cases[i].modal, cases[i].window, true), cases[i].active) << "case " << i;
        EXPECT_EQ(Row(cases[i].modal, cases[i].window, false), cases[i].inactive) << "case " << i;
    }

    LTimer self(&fTimerOwner); // a modal handler that is the timer itself counts as inside
    self.Start(0, LTimer::kModeModal);
    EXPECT_EQ(Next(Now(), &self), &self);
}

TEST_F(LTimerBlockingTest, BlockedTimerFiresOnTheFirstDispatchAfterTheDialogEnds)
{
    Owner dialog(&fApp);
    LTimer t(&fTimerOwner);
    t.Start(10, LTimer::kModeModal);
    EXPECT_EQ(DispatchAll(kStart + 10, &dialog, &dialog), 0);
    // Blocked while the dialog runs; due at once when it ended.
    EXPECT_EQ((std::pair{LTimer::MsUntilNext(&dialog, &dialog, true), MsUntilNext()}), std::pair(LTimer::kMaxDelay, 0u));
    fTimerOwner.expired.clear();
    EXPECT_EQ(DispatchAll(kStart + 11), 1);
    EXPECT_EQ(fTimerOwner.expired, (std::vector<LHandler*>{&t}));
    EXPECT_FALSE(t.IsArmed());
}

TEST_F(LTimerBlockingTest, ActiveOnlyTimerWaitsInEveryModalSituationWhileInactive)
{
    LTimer t(&fTimerOwner);
    t.StartPeriodic(100);
    t.Start(0, LTimer::kModeActiveOnly); // one-shot again
    EXPECT_EQ(t.Period(), 0u);
    EXPECT_EQ((std::tuple{DispatchAll(kStart, nullptr, nullptr, false), DispatchAll(kStart + 1000, &fDocument, nullptr, false),
                          DispatchAll(kStart + 1000, &fDocument, nullptr, true)}),
              std::tuple(0, 0, 1));
}
