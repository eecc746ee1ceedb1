#include "foundation/async/LTicks.h"
#include "platform/Clock.h"
#include "platform/system/InputSettings.h"
#include "tests/support/RecordingHandler.h"
#include "ui/drop/CScrollHelper.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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
    EXPECT_EQ(std::pair(helper.DirectionX(), helper.DirectionY()), std::pair(0, -1));
    // A step after the repeat delay, once more after another delay, then every interval.
    std::vector<int> steps;
    for (uint32_t ms : {499, 1, 499, 1, 100, 99, 1})
        steps.push_back(Pass(ms));
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 0, 1, 1, 0, 1}));
    helper.Track({50, 10}, list, 8, 5);
    EXPECT_EQ(helper.Stage(), 0) << "inside the quiet area it stops";
    EXPECT_EQ(Pass(2000), 0);
}

TEST_F(ScrollHelper, DirectionsFollowTheEdgesBeyondTheQuietArea)
{
    const CLRect list{0, 0, 100, 100};
    // The right edge itself (92) belongs to the border.
    for (const auto& [at, dx, dy] : {std::tuple(CLPoint{95, 95}, 1, 1), {CLPoint{92, 50}, 1, 0}, {CLPoint{7, 50}, -1, 0}}) {
        helper.Track(at, list, 8, 8);
        EXPECT_EQ(std::pair(helper.DirectionX(), helper.DirectionY()), std::pair(dx, dy)) << at.x << "," << at.y;
    }
    EXPECT_EQ(helper.Stage(), 1) << "moving along the border keeps the first delay running";
}

} // namespace
