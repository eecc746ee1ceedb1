#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(CWindowFunc, TablesOfEightPointsAndTheirGains)
{
    std::vector<float> t(8);
    const float hannGain = CHanningWindow().Fill(8, t.data());
    const float hann[8] = {0.0f, 0.1464466f, 0.5f, 0.8535534f, 1.0f, 0.8535534f, 0.5f, 0.1464466f};
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(t[i], hann[i], 1e-7f) << i;
    EXPECT_EQ(t[0], 0.0f);
    EXPECT_EQ(t[4], 1.0f);
    EXPECT_EQ(hannGain, 0.5f);

    const float hammingGain = CHammingWindow().Fill(8, t.data());
    EXPECT_FLOAT_EQ(t[0], 0.08f);
    EXPECT_NEAR(t[1], 0.54 - 0.46 * std::sqrt(0.5), 1e-7);
    EXPECT_FLOAT_EQ(t[2], 0.54f);
    EXPECT_FLOAT_EQ(t[4], 1.0f);
    EXPECT_EQ(hammingGain, 0.540000021f);

    // An empty window has no mean.
    EXPECT_TRUE(std::isnan(CHanningWindow().Fill(0, nullptr)));
    EXPECT_TRUE(std::isnan(CHammingWindow().Fill(0, nullptr)));
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

TEST(CWindowedFFT, SettingsAreKeptInRange)
{
    CWindowedFFT w;
    ASSERT_TRUE(w.SetupFromSettings(8, 2));
    EXPECT_EQ(w.fft.size, 256u);
    EXPECT_EQ(w.windowGain, 0.540000021f);
    ASSERT_TRUE(w.SetupFromSettings(8, 0));
    EXPECT_EQ(w.windowGain, 1.0f) << "a new window alone rebuilds table and gain";
    ASSERT_TRUE(w.SetupFromSettings(0, 1));
    EXPECT_EQ(w.fft.size, 2u);
    EXPECT_EQ(w.windowGain, 0.5f) << "a two-point Hanning window is {0, 1}";
    ASSERT_TRUE(w.SetupFromSettings(200, 1));
    EXPECT_EQ(w.fft.size, 1u << CFFT::kMaxOrder);
}
