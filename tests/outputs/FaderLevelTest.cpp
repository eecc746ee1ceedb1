#include "outputs/faders/FaderLevel.h"

#include "analysis/CSpectrumAnalyser.h"
#include "tests/outputs/FaderTestKit.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST_F(SineBand, LevelsOfTheFourMeasures)
{
    const CBandBins bins = BandBins(1.0f, 240.0f, 272.0f, 256, 1024, 128);
    EXPECT_EQ(bins.lo, 60u);
    EXPECT_EQ(bins.hi, 68u);
    EXPECT_NEAR(Level(CBandMeasure::Sum), 0.25f, 1e-6);
    EXPECT_NEAR(Level(CBandMeasure::Maximum), 0.125f, 1e-6);
    EXPECT_NEAR(Level(CBandMeasure::Mean), 0.03125f, 1e-7);
    EXPECT_NEAR(Level(CBandMeasure::PeakPosition), 0.5714286f, 1e-7);
}

TEST_F(SineBand, MappedThroughAHalfInputRange)
{
    const CFaderRanges half{0.0f, 0.5f, 0.0f, 1.0f};
    EXPECT_NEAR(MapFaderRange(half, Level(CBandMeasure::Sum)), 0.5f, 2e-6);
    EXPECT_NEAR(MapFaderRange(half, Level(CBandMeasure::Maximum)), 0.25f, 2e-6);
    EXPECT_NEAR(MapFaderRange(half, Level(CBandMeasure::Mean)), 0.0625f, 2e-7);
    EXPECT_FLOAT_EQ(MapFaderRange(half, Level(CBandMeasure::PeakPosition)), 1.0f);
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

TEST(FaderLevel, DecibelLevels)
{
    EXPECT_EQ(PowerToLevel(0.0f, true), 0.0f);
    EXPECT_EQ(PowerToLevel(1.0f, true), 1.0f);
    EXPECT_EQ(PowerToLevel(7.5f, true), 1.0f);
    EXPECT_NEAR(PowerToLevel(float(std::exp(-50.0 / 8.68588)), true), 0.5f, 1e-6);
    // The constant is 8.68588 as written and ln is single precision: 0.1 gives this exactly.
    const double expected = (8.68588 * double(std::log(0.1f)) + 100.0) / 100.0;
    EXPECT_EQ(PowerToLevel(0.1f, true), float(expected));
    EXPECT_EQ(PowerToLevel(1e-30f, true), 0.0f);
    EXPECT_EQ(PowerToLevel(kNaN, true), 0.0f);
    EXPECT_EQ(PowerToLevel(kInf, true), 1.0f);
    // Linear mode clamps.
    EXPECT_EQ(PowerToLevel(0.3f, false), 0.3f);
    EXPECT_EQ(PowerToLevel(-0.3f, false), 0.0f);
    EXPECT_EQ(PowerToLevel(3.0f, false), 1.0f);
    EXPECT_EQ(PowerToLevel(kNaN, false), 0.0f);
}

TEST(FaderLevel, RangeMapping)
{
    // Plain, clamped and reversed output.
    EXPECT_FLOAT_EQ(MapFaderRange({0.2f, 0.6f, 0.0f, 1.0f}, 0.4f), 0.5f);
    EXPECT_FLOAT_EQ(MapFaderRange({0.2f, 0.6f, 0.0f, 1.0f}, 0.9f), 1.0f);
    EXPECT_FLOAT_EQ(MapFaderRange({0.2f, 0.6f, 0.0f, 1.0f}, -1.0f), 0.0f);
    EXPECT_FLOAT_EQ(MapFaderRange({0.0f, 1.0f, 1.0f, 0.0f}, 0.25f), 0.75f);
    // Equal input limits make a switch: below the limit the low end, at or above the high end.
    const CFaderRanges sw{0.5f, 0.5f, 0.1f, 0.9f};
    EXPECT_EQ(MapFaderRange(sw, 0.49f), 0.1f);
    EXPECT_EQ(MapFaderRange(sw, 0.5f), 0.9f);
    EXPECT_EQ(MapFaderRange({0.6f, 0.2f, 0.1f, 0.9f}, 0.4f), 0.1f);
    // Nothing non-finite comes out.
    EXPECT_EQ(MapFaderRange({0.0f, 1.0f, 0.0f, kInf}, 0.5f), 0.0f);
    EXPECT_EQ(MapFaderRange({0.0f, 1.0f, 0.0f, 1.0f}, kNaN), 0.0f);
}

TEST(FaderLevel, RoundingHalvesAwayFromZero)
{
    EXPECT_EQ(FaderRound(31.75f), 32);
    EXPECT_EQ(FaderRound(2.5f), 3);
    EXPECT_EQ(FaderRound(-2.5f), -3);
    EXPECT_EQ(FaderRound(0.5f), 1);
    EXPECT_EQ(FaderRound(2.4999f), 2);
    EXPECT_EQ(FaderRound(0.49999997f), 0);
    EXPECT_EQ(FaderRound(kNaN), 0);
    EXPECT_EQ(FaderRound(1e30f), 2147483647);
    EXPECT_EQ(FaderRound(-1e30f), int32_t(-2147483647 - 1));
}
