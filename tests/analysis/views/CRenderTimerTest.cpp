#include "analysis/views/CRenderTimer.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "platform/Clock.h"
#include "tests/support/FireDueTimers.h"

#include <gtest/gtest.h>

namespace {

// Counts the passes the timer asks for; each pass takes `passMs` of the event clock.
class Owner : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, CRenderTimer::msgTime)) {
            ++passes;
            timer.BeginRender();
            clock->AdvanceMs(passMs);
            timer.EndRender();
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    plat::ScopedVirtualClock* clock = nullptr;
    CRenderTimer timer{this};
    uint32_t passMs = 0;
    int passes = 0;
};

class RenderTimer : public ::testing::Test {
protected:
    RenderTimer() { owner.clock = &clock; }
    void Fire() { FireDueTimers(); }
    plat::ScopedVirtualClock clock{5000};
    Owner owner;
};

} // namespace

TEST_F(RenderTimer, TheFirstPassFiresAtOnceAndRequestsCoalesce)
{
    owner.timer.Request();
    owner.timer.Request();
    EXPECT_EQ(owner.timer.Timer().Due(), LTicks::Now());
    Fire();
    EXPECT_EQ(owner.passes, 1);
    Fire();
    EXPECT_EQ(owner.passes, 1) << "no request, no pass: the timer goes idle";
}

TEST_F(RenderTimer, PassesAreSpacedByTheirRunningMean)
{
    owner.passMs = 16;
    for (int i = 0; i < 400; ++i) {
        owner.timer.Request();
        Fire();
        clock.AdvanceMs(owner.timer.MeanAcc() / 32 + 1);
        Fire();
    }
    EXPECT_EQ(owner.timer.MeanAcc(), 512u);
    owner.timer.BeginRender();
    EXPECT_EQ(owner.timer.Timer().Due(), LTicks::Now() + 16) << "re-armed at the mean at the start of a pass";
}
