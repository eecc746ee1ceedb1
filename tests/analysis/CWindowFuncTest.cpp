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

    EXPECT_EQ(CHammingWindow().Fill(8, t.data()), 0.540000021f);
    const float hamming[5] = {0.08f, float(0.54 - 0.46 * std::sqrt(0.5)), 0.54f, float(0.54 + 0.46 * std::sqrt(0.5)), 1.0f};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(t[i], hamming[i], 1e-7f) << i;

    // An empty window has no mean.
    EXPECT_TRUE(std::isnan(CHanningWindow().Fill(0, nullptr)));
    EXPECT_TRUE(std::isnan(CHammingWindow().Fill(0, nullptr)));
}

// A failed set-up keeps the previous state; a non-positive gain counts as one.
TEST(CWindowedFFT, SetupKeepsItsSettingsInRangeAndAFailureKeepsThePreviousState)
{
    CWindowedFFT w;
    ASSERT_TRUE(w.Setup(0, CHanningWindow()));
    EXPECT_EQ(w.windowTable, std::vector<float>{0.0f});
    EXPECT_EQ(w.windowGain, 1.0f);
    ASSERT_TRUE(w.Setup(4, CHammingWindow()));
    EXPECT_FALSE(w.Setup(CFFT::kMaxOrder + 1, CRectWindow()));
    EXPECT_EQ(w.fft.size, 16u);
    EXPECT_EQ(w.windowTable.size(), 16u);
    EXPECT_EQ(w.windowGain, 0.540000021f);

    // From the stored settings: order and window kind; a new window alone rebuilds table and
    // gain; a two-point Hanning window is {0, 1}; the order is held to the largest plan.
    const struct {
        uint8_t order, kind;
        uint32_t size;
        float gain;
    } rows[] = {{8, 2, 256, 0.540000021f}, {8, 0, 256, 1.0f}, {0, 1, 2, 0.5f}, {200, 1, 1u << CFFT::kMaxOrder, 0.5f}};
    for (const auto& r : rows) {
        ASSERT_TRUE(w.SetupFromSettings(r.order, r.kind));
        EXPECT_EQ(w.fft.size, r.size) << int(r.order);
        EXPECT_EQ(w.windowGain, r.gain) << int(r.order) << " " << int(r.kind);
    }
}
