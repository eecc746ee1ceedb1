#include "foundation/async/LTicks.h"
#include "platform/Clock.h"
#include "platform/system/InputSettings.h"
#include "tests/support/RecordingHandler.h"
#include "ui/drop/CScrollHelper.h"

#include <gtest/gtest.h>

namespace {

class ScrollHelper : public ::testing::Test {
protected:
    ScrollHelper() { plat::SetKeyRepeatTicks(30, 6); } // 500 ms delay, 100 ms interval
    ~ScrollHelper() override
    {
        helper.Stop();
        plat::SetKeyRepeatTicks(fSavedDelay, fSavedInterval);
    }
    // Lets ms pass and sends the due timer messages; answers how many scroll steps came.
    int Pass(uint32_t ms)
    {
        const size_t before = Scrolls();
        clock.AdvanceMs(ms);
        for (int i = 0; i < 100; ++i) {
            const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
            if (!msg.subject)
                break;
            LMessage::Send(msg);
        }
        return int(Scrolls() - before);
    }
    size_t Scrolls() const { return size_t(std::count(owner.seen.begin(), owner.seen.end(), "CScrollHelper_Scroll")); }

    const int32_t fSavedDelay = plat::KeyRepeatDelayTicks();
    const int32_t fSavedInterval = plat::KeyRepeatIntervalTicks();
    plat::ScopedVirtualClock clock{5000};
    RecordingHandler owner{nullptr, "CScrollHelper_Scroll"};
    CScrollHelper helper{&owner};
};

TEST_F(ScrollHelper, NearTheTopEdgeScrollsUpAfterTwoDelaysThenAtTheInterval)
{
    const CLRect list{0, 0, 100, 20};
    helper.Track({50, 3}, list, 8, 5); // margin min(20 / 4, 8) = 5
    EXPECT_EQ(helper.DirectionY(), -1);
    EXPECT_EQ(helper.DirectionX(), 0);
    EXPECT_EQ(Pass(499), 0);
    EXPECT_EQ(Pass(1), 1) << "after the repeat delay";
    EXPECT_EQ(Pass(499), 0);
    EXPECT_EQ(Pass(1), 1) << "once more after another delay";
    EXPECT_EQ(Pass(100), 1);
    EXPECT_EQ(Pass(99), 0);
    EXPECT_EQ(Pass(1), 1) << "then every interval";
    helper.Track({50, 10}, list, 8, 5);
    EXPECT_EQ(helper.Stage(), 0) << "inside the quiet area it stops";
    EXPECT_EQ(Pass(2000), 0);
}

TEST_F(ScrollHelper, DirectionsFollowTheEdgesBeyondTheQuietArea)
{
    const CLRect list{0, 0, 100, 100};
    helper.Track({95, 95}, list, 8, 8);
    EXPECT_EQ(helper.DirectionX(), 1) << "at or right of the right edge";
    EXPECT_EQ(helper.DirectionY(), 1);
    helper.Track({92, 50}, list, 8, 8);
    EXPECT_EQ(helper.DirectionX(), 1) << "the right edge itself belongs to the border";
    EXPECT_EQ(helper.DirectionY(), 0);
    helper.Track({7, 50}, list, 8, 8);
    EXPECT_EQ(helper.DirectionX(), -1);
    EXPECT_EQ(helper.Stage(), 1) << "moving along the border keeps the first delay running";
}

} // namespace
