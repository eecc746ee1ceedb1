#include "analysis/NiceStep.h"

#include <gtest/gtest.h>

#include <limits>

TEST(NiceStep, PicksOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_FLOAT_EQ(NiceStep(1.0f), 0.1f);
    EXPECT_FLOAT_EQ(NiceStep(5.0f), 0.5f);
    EXPECT_FLOAT_EQ(NiceStep(7.0f), 1.0f);
    EXPECT_FLOAT_EQ(NiceStep(13.0f), 2.0f);
    EXPECT_FLOAT_EQ(NiceStep(250.0f), 50.0f);
    EXPECT_FLOAT_EQ(NiceStep(0.03f), 0.005f);
    EXPECT_FLOAT_EQ(NiceStep(22050.0f), 2000.0f);
    EXPECT_FLOAT_EQ(NiceStep(60.0f), 5.0f);
}

TEST(NiceStep, BoundariesOfEachStep)
{
    EXPECT_FLOAT_EQ(NiceStep(1.2f), 0.1f);
    EXPECT_FLOAT_EQ(NiceStep(1.25f), 0.2f);
    EXPECT_FLOAT_EQ(NiceStep(2.4f), 0.2f);
    EXPECT_FLOAT_EQ(NiceStep(2.5f), 0.5f);
    EXPECT_FLOAT_EQ(NiceStep(6.0f), 0.5f);
    EXPECT_FLOAT_EQ(NiceStep(6.01f), 1.0f);
    EXPECT_FLOAT_EQ(NiceStep(9.99f), 1.0f);
    EXPECT_FLOAT_EQ(NiceStep(10.0f), 1.0f);
    EXPECT_FLOAT_EQ(NiceStep(1000.0f), 100.0f);
}

TEST(NiceStep, UnusableInputStillGivesAPositiveStep)
{
    EXPECT_EQ(NiceStep(0.0f), 1.0f);
    EXPECT_EQ(NiceStep(-3.0f), 1.0f);
    EXPECT_EQ(NiceStep(std::numeric_limits<float>::quiet_NaN()), 1.0f);
    EXPECT_EQ(NiceStep(std::numeric_limits<float>::infinity()), 1.0f);
    EXPECT_GT(NiceStep(std::numeric_limits<float>::denorm_min()), 0.0f);
}
