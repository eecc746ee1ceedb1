#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(CWindowFunc, HanningTableOfEightPoints)
{
    CHanningWindow hann;
    std::vector<float> t(8);
    const float gain = hann.Fill(8, t.data());
    const float want[8] = {0.0f, 0.1464466f, 0.5f, 0.8535534f, 1.0f, 0.8535534f, 0.5f, 0.1464466f};
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(t[i], want[i], 1e-7f) << i;
    EXPECT_EQ(t[0], 0.0f);
    EXPECT_EQ(t[4], 1.0f);
    EXPECT_EQ(gain, 0.5f);
}

TEST(CWindowFunc, HammingTableOfEightPoints)
{
    CHammingWindow hamming;
    std::vector<float> t(8);
    const float gain = hamming.Fill(8, t.data());
    EXPECT_FLOAT_EQ(t[0], 0.08f);
    EXPECT_NEAR(t[1], 0.54 - 0.46 * std::sqrt(0.5), 1e-7);
    EXPECT_FLOAT_EQ(t[2], 0.54f);
    EXPECT_FLOAT_EQ(t[4], 1.0f);
    EXPECT_EQ(gain, 0.540000021f);
}

TEST(CWindowFunc, RectangleIsOneEverywhere)
{
    CRectWindow rect;
    std::vector<float> t(5, -1.0f);
    EXPECT_EQ(rect.Fill(5, t.data()), 1.0f);
    EXPECT_EQ(t, std::vector<float>(5, 1.0f));
}

TEST(CWindowFunc, MakeChoosesByStoredKind)
{
    std::vector<float> t(4);
    EXPECT_NE(dynamic_cast<CRectWindow*>(CWindowFunc::Make(0).get()), nullptr);
    EXPECT_NE(dynamic_cast<CHanningWindow*>(CWindowFunc::Make(1).get()), nullptr);
    EXPECT_NE(dynamic_cast<CHammingWindow*>(CWindowFunc::Make(2).get()), nullptr);
    EXPECT_NE(dynamic_cast<CRectWindow*>(CWindowFunc::Make(3).get()), nullptr);
    EXPECT_NE(dynamic_cast<CRectWindow*>(CWindowFunc::Make(255).get()), nullptr);
}

TEST(CWindowFunc, EmptyWindowHasNoMean)
{
    EXPECT_TRUE(std::isnan(CHanningWindow().Fill(0, nullptr)));
    EXPECT_TRUE(std::isnan(CHammingWindow().Fill(0, nullptr)));
}

TEST(CWindowedFFT, SetupBuildsPlanTableAndGain)
{
    CWindowedFFT w;
    ASSERT_TRUE(w.Setup(3, CHanningWindow()));
    EXPECT_EQ(w.fft.size, 8u);
    ASSERT_EQ(w.windowTable.size(), 8u);
    EXPECT_EQ(w.windowTable[2], 0.5f);
    EXPECT_EQ(w.windowGain, 0.5f);
    ASSERT_TRUE(w.Setup(3, CHammingWindow()));
    EXPECT_EQ(w.windowGain, 0.540000021f);
}

TEST(CWindowedFFT, NonPositiveGainCountsAsOne)
{
    CWindowedFFT w;
    ASSERT_TRUE(w.Setup(0, CHanningWindow()));
    ASSERT_EQ(w.windowTable.size(), 1u);
    EXPECT_EQ(w.windowTable[0], 0.0f);
    EXPECT_EQ(w.windowGain, 1.0f);
}

TEST(CWindowedFFT, FailedSetupKeepsThePreviousState)
{
    CWindowedFFT w;
    ASSERT_TRUE(w.Setup(4, CHammingWindow()));
    EXPECT_FALSE(w.Setup(CFFT::kMaxOrder + 1, CRectWindow()));
    EXPECT_EQ(w.fft.size, 16u);
    EXPECT_EQ(w.windowTable.size(), 16u);
    EXPECT_EQ(w.windowGain, 0.540000021f);
}
