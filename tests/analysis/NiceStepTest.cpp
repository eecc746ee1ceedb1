#include "analysis/NiceStep.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

TEST(NiceStep, PicksOneTwoOrFiveTimesAPowerOfTenWithItsBoundaries)
{
    const std::pair<float, float> cases[] = {
        {1.0f, 0.1f}, {5.0f, 0.5f}, {7.0f, 1.0f}, {13.0f, 2.0f}, {250.0f, 50.0f}, {0.03f, 0.005f},
        {22050.0f, 2000.0f}, {60.0f, 5.0f}, {1.2f, 0.1f}, {1.25f, 0.2f}, {2.4f, 0.2f}, {2.5f, 0.5f},
        {6.0f, 0.5f}, {6.01f, 1.0f}, {9.99f, 1.0f}, {10.0f, 1.0f}, {1000.0f, 100.0f},
    };
    for (const auto& [range, step] : cases)
        EXPECT_FLOAT_EQ(NiceStep(range), step) << range;
}

TEST(NiceStep, UnusableInputStillGivesAPositiveStep)
{
    for (float bad : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
        EXPECT_EQ(NiceStep(bad), 1.0f) << bad;
    EXPECT_GT(NiceStep(std::numeric_limits<float>::denorm_min()), 0.0f);
}
