#include "outputs/faders/FaderLevel.h"

#include "analysis/CSpectrumAnalyser.h"
#include "tests/outputs/FaderTestKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A sine of amplitude 0.25 on bin 64 of a 256-point Hann analysis at 1024 Hz: bin 64 holds
// 0.125 and its neighbours 0.0625 each.
class SineBand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(analyser.Setup(1, 8, 13));
        AnalyseSamples(analyser, 0, SineOnBin(64, 256, 0.25f, 1024));
    }
    float Level(CBandMeasure measure, float lowHz = 240.0f, float highHz = 272.0f)
    {
        const CSpectrumChan& chan = *analyser.Channel(0);
        const CBandBins bins = BandBins(1.0f, lowHz, highHz, 256, 1024, uint32_t(chan.magnitude.size()));
        return BandLevel(chan.magnitude, bins, measure, false, {});
    }

    CSpectrumAnalyser analyser;
};

} // namespace

TEST_F(SineBand, LevelsOfTheFourMeasuresAndThroughAHalfInputRange)
{
    const CBandBins bins = BandBins(1.0f, 240.0f, 272.0f, 256, 1024, 128);
    EXPECT_EQ(bins.lo, 60u);
    EXPECT_EQ(bins.hi, 68u);
    const CFaderRanges half{0.0f, 0.5f, 0.0f, 1.0f};
    const struct {
        CBandMeasure measure;
        float level, tolerance, mapped;
    } rows[] = {{CBandMeasure::Sum, 0.25f, 1e-6f, 0.5f},
                {CBandMeasure::Maximum, 0.125f, 1e-6f, 0.25f},
                {CBandMeasure::Mean, 0.03125f, 1e-7f, 0.0625f},
                {CBandMeasure::PeakPosition, 0.5714286f, 1e-7f, 1.0f}};
    for (const auto& r : rows) {
        EXPECT_NEAR(Level(r.measure), r.level, r.tolerance) << int(r.measure);
        EXPECT_NEAR(MapFaderRange(half, Level(r.measure)), r.mapped, 2 * r.tolerance) << int(r.measure);
    }
}

TEST_F(SineBand, BandsCutAtTheBinCountAndNarrowBandsGiveZero)
{
    // 500..2000 Hz runs past the last bin (127 at 1024 Hz / 256 points): cut at 128.
    EXPECT_EQ(BandBins(1.0f, 500.0f, 2000.0f, 256, 1024, 128).hi, 128u);
    // One bin wide: the mean is that bin, the peak position has no extent.
    EXPECT_NEAR(Level(CBandMeasure::Mean, 256.0f, 260.0f), 0.125f, 1e-6);
    EXPECT_EQ(Level(CBandMeasure::PeakPosition, 256.0f, 260.0f), 0.0f);
    // Narrower than a bin: both ends round to bin 64.
    EXPECT_EQ(Level(CBandMeasure::Mean, 256.0f, 257.0f), 0.0f);
    EXPECT_EQ(Level(CBandMeasure::Sum, 256.0f, 257.0f), 0.0f);
}

TEST(FaderLevel, BinRangeFromBadInputStaysInsideTheSpectrum)
{
    // A negative low frequency, a zero rate and non-finite values never index outside.
    const CBandBins negative = BandBins(1.0f, -500.0f, 40.0f, 256, 1024, 128);
    EXPECT_EQ(negative.lo, 0u);
    EXPECT_EQ(negative.hi, 10u);
    const CBandBins noRate = BandBins(1.0f, 10.0f, 20.0f, 256, 0, 128);
    EXPECT_GE(noRate.lo, noRate.hi);
    const CBandBins nan = BandBins(kNaN, 10.0f, 20.0f, 256, 1024, 128);
    EXPECT_EQ(nan.lo, 0u);
    EXPECT_EQ(nan.hi, 0u);
    const CBandBins huge = BandBins(1e30f, 10.0f, 20.0f, 256, 1024, 128);
    EXPECT_EQ(huge.lo, 128u);
    EXPECT_EQ(huge.hi, 128u);
}

TEST(FaderLevel, PeakPositionOnTheLogarithmicAxis)
{
    std::vector<float> m(128, 0.0f);
    m[16] = 1.0f;
    // Order 8: H = 128; L(k) = max(0, 1 + ln(k / 128) / ln 128).
    const auto level = BandLevel(m, {8, 33}, CBandMeasure::PeakPosition, false, {true, 8});
    const double h = 128.0;
    const auto L = [&](double k) { return 1.0 + std::log(k / h) / std::log(h); };
    EXPECT_NEAR(level, (L(16) - L(8)) / (L(32) - L(8)), 1e-6);
    // The first greatest bin wins; a silent band peaks at its low end.
    m[20] = 1.0f;
    EXPECT_NEAR(BandLevel(m, {8, 33}, CBandMeasure::PeakPosition, false, {}), 8.0f / 24.0f, 1e-7);
    EXPECT_EQ(BandLevel(std::vector<float>(128, 0.0f), {8, 33}, CBandMeasure::PeakPosition, false, {}), 0.0f);
}

TEST(FaderLevel, ZeroDenominatorsOnTheLogarithmicAxisGiveZero)
{
    std::vector<float> m(128, 0.0f);
    m[1] = 1.0f;
    // Bins 0..1: L(0) and L(1) are both 0.
    EXPECT_EQ(BandLevel(m, {0, 2}, CBandMeasure::PeakPosition, false, {true, 8}), 0.0f);
    // Orders 0 and 1 make H <= 1, so ln H is 0.
    for (uint32_t order : {0u, 1u}) {
        const float level = BandLevel(m, {0, 4}, CBandMeasure::PeakPosition, false, {true, order});
        EXPECT_EQ(level, 0.0f) << "order " << order;
    }
    // A damaged order does not shift past the integer width.
    EXPECT_TRUE(std::isfinite(BandLevel(m, {0, 4}, CBandMeasure::PeakPosition, false, {true, 255})));
}

TEST(FaderLevel, DecibelAndLinearLevels)
{
    // The constant is 8.68588 as written and ln is single precision: 0.1 gives this exactly.
    const float tenth = float((8.68588 * double(std::log(0.1f)) + 100.0) / 100.0);
    const struct {
        float power;
        bool decibels;
        float level;
    } rows[] = {{0.0f, true, 0.0f},  {1.0f, true, 1.0f},    {7.5f, true, 1.0f},   {0.1f, true, tenth},
                {1e-30f, true, 0.0f}, {kNaN, true, 0.0f},    {kInf, true, 1.0f},   {0.3f, false, 0.3f},
                {-0.3f, false, 0.0f}, {3.0f, false, 1.0f},   {kNaN, false, 0.0f}};
    for (const auto& r : rows)
        EXPECT_EQ(PowerToLevel(r.power, r.decibels), r.level) << r.power << " dB " << r.decibels;
    EXPECT_NEAR(PowerToLevel(float(std::exp(-50.0 / 8.68588)), true), 0.5f, 1e-6);
}

TEST(FaderLevel, RangeMapping)
{
    // Plain, clamped and reversed output; equal input limits make a switch (below the limit the
    // low end, at or above the high end); nothing non-finite comes out.
    const struct {
        CFaderRanges ranges;
        float in, out;
    } rows[] = {{{0.2f, 0.6f, 0.0f, 1.0f}, 0.4f, 0.5f},  {{0.2f, 0.6f, 0.0f, 1.0f}, 0.9f, 1.0f},
                {{0.2f, 0.6f, 0.0f, 1.0f}, -1.0f, 0.0f}, {{0.0f, 1.0f, 1.0f, 0.0f}, 0.25f, 0.75f},
                {{0.5f, 0.5f, 0.1f, 0.9f}, 0.49f, 0.1f}, {{0.5f, 0.5f, 0.1f, 0.9f}, 0.5f, 0.9f},
                {{0.6f, 0.2f, 0.1f, 0.9f}, 0.4f, 0.1f},  {{0.0f, 1.0f, 0.0f, kInf}, 0.5f, 0.0f},
                {{0.0f, 1.0f, 0.0f, 1.0f}, kNaN, 0.0f}};
    for (const auto& r : rows)
        EXPECT_FLOAT_EQ(MapFaderRange(r.ranges, r.in), r.out) << r.ranges.ampl << ".." << r.ranges.amph << " " << r.in;
}

TEST(FaderLevel, RoundingHalvesAwayFromZero)
{
    const std::pair<float, int32_t> rows[] = {{31.75f, 32},  {2.5f, 3},         {-2.5f, -3},
                                              {0.5f, 1},     {2.4999f, 2},      {0.49999997f, 0},
                                              {kNaN, 0},     {1e30f, INT32_MAX}, {-1e30f, INT32_MIN}};
    for (const auto& [x, n] : rows)
        EXPECT_EQ(FaderRound(x), n) << x;
}
