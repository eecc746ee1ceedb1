#include "analysis/CSpectrumChan.h"
#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

namespace {

std::vector<float> Sine(uint32_t count, double cyclesPerSample, float amplitude)
{
    std::vector<float> x(count);
    for (uint32_t i = 0; i < count; ++i)
        x[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * cyclesPerSample * i));
    return x;
}

// Pushes the samples, loads, transforms and computes every spectrum as a render pass does.
void Analyse(CSpectrumChan& chan, const CWindowedFFT& plan, const std::vector<float>& samples)
{
    for (float s : samples)
        chan.Push(s);
    ASSERT_TRUE(chan.LoadFFTInput(plan.windowTable, plan.fft));
    ASSERT_TRUE(plan.fft.Transform(chan.fftBuffer, CFFT::Direction::Forward));
    chan.Power(plan.windowGain);
    chan.Magnitude();
    chan.Decibel();
}

// Ring, snapshot, last frame, power, magnitude and decibel sizes, and the FFT size.
std::vector<size_t> Sizes(const CSpectrumChan& c)
{
    return {c.ring.size(), c.snapshot.size(), c.lastFrame.size(), c.power.size(), c.magnitude.size(), c.decibel.size(),
            c.FFTSize()};
}

} // namespace

TEST(CSpectrumBuf, AllocSizesRingAndBuffers)
{
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(8, 13));
    ASSERT_EQ(Sizes(chan), (std::vector<size_t>{8192, 8192, 256, 128, 128, 128, 256}));
    EXPECT_EQ(chan.mask, 8191u);
    EXPECT_EQ(chan.decibel[0], -3.4028235e38f);
    EXPECT_EQ(chan.decibel[127], CSpectrumChan::kNoDecibel);

    ASSERT_TRUE(chan.Alloc(14, 13));
    EXPECT_EQ(chan.ring.size(), 16384u) << "a ring never holds fewer than N samples";
    ASSERT_TRUE(chan.Alloc(0, 0));
    EXPECT_EQ(chan.ring.size(), 1u);
    EXPECT_TRUE(chan.power.empty());
}

TEST(CSpectrumBuf, AllocOutOfRangeChangesNothing)
{
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(4, 5));
    chan.Push(7.0f);
    EXPECT_FALSE(chan.Alloc(CFFT::kMaxOrder + 1, 13));
    EXPECT_FALSE(chan.Alloc(4, CSpectrumBuf::kMaxRingOrder + 1));
    EXPECT_FALSE(chan.Alloc(255, 255));
    EXPECT_EQ(Sizes(chan), (std::vector<size_t>{32, 32, 16, 8, 8, 8, 16}));
    EXPECT_EQ(chan.writeIndex, 1u);
    EXPECT_EQ(chan.ring[0], 7.0f);
}

TEST(CSpectrumBuf, PushWrapsAroundTheRingAndLoadTakesTheNewestSamples)
{
    CSpectrumChan empty;
    empty.Push(1.0f); // no ring yet: ignored
    EXPECT_EQ(empty.writeIndex, 0u);

    CWindowedFFT plan;
    ASSERT_TRUE(plan.Setup(2, CRectWindow()));
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(2, 3));
    for (int i = 1; i <= 10; ++i)
        chan.Push(static_cast<float>(i));
    EXPECT_EQ(chan.writeIndex, 2u);
    EXPECT_EQ(chan.ring, (std::vector<float>{9, 10, 3, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(chan.LoadFFTInput({}, plan.fft));
    EXPECT_EQ(chan.loadIndex, 2u);
    EXPECT_EQ(chan.lastFrame, (std::vector<float>{7, 8, 9, 10}));
    // Bit-reversed order of four points: 0 2 1 3.
    std::vector<float> loaded;
    for (const SComplex32& v : chan.fftBuffer)
        loaded.insert(loaded.end(), {v.re, v.im});
    EXPECT_EQ(loaded, (std::vector<float>{7, 0, 9, 0, 8, 0, 10, 0}));
    EXPECT_EQ(chan.snapshot, chan.ring);
}

TEST(CSpectrumBuf, LoadPadsWithZerosBeforeTheOldestSample)
{
    CWindowedFFT plan;
    ASSERT_TRUE(plan.Setup(3, CRectWindow()));
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(3, 13));
    chan.Push(5.0f);
    chan.Push(6.0f);
    ASSERT_TRUE(chan.LoadFFTInput(plan.windowTable, plan.fft));
    EXPECT_EQ(chan.lastFrame, (std::vector<float>{0, 0, 0, 0, 0, 0, 5, 6}));
}

TEST(CSpectrumBuf, LoadAppliesTheWindowToTheBufferOnly)
{
    CWindowedFFT plan;
    ASSERT_TRUE(plan.Setup(3, CHanningWindow()));
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(3, 3));
    for (int i = 0; i < 8; ++i)
        chan.Push(2.0f);
    ASSERT_TRUE(chan.LoadFFTInput(plan.windowTable, plan.fft));
    EXPECT_EQ(chan.lastFrame, std::vector<float>(8, 2.0f));
    for (uint32_t k = 0; k < 8; ++k)
        EXPECT_EQ(chan.fftBuffer[plan.fft.bitrev[k]].re, plan.windowTable[k] * 2.0f);
}

TEST(CSpectrumBuf, LoadRefusesAPlanOrWindowOfAnotherSize)
{
    CWindowedFFT plan;
    ASSERT_TRUE(plan.Setup(4, CHanningWindow()));
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(3, 3));
    chan.Push(1.0f);
    EXPECT_FALSE(chan.LoadFFTInput(plan.windowTable, plan.fft));
    EXPECT_FALSE(chan.LoadFFTInput({}, plan.fft));

    CWindowedFFT small;
    ASSERT_TRUE(small.Setup(3, CHanningWindow()));
    EXPECT_FALSE(chan.LoadFFTInput(plan.windowTable, small.fft)) << "table of 16 for N = 8";
    EXPECT_FALSE(chan.LoadFFTInput({}, CFFT())) << "a plan that was never set up";
    EXPECT_EQ(chan.loadIndex, 0u);
    EXPECT_EQ(chan.lastFrame, std::vector<float>(8, 0.0f));
    EXPECT_EQ(chan.snapshot, std::vector<float>(8, 0.0f));

    CSpectrumChan unset;
    EXPECT_FALSE(unset.LoadFFTInput({}, small.fft));
}

TEST(CSpectrumChan, FourPointRectangularExample)
{
    CWindowedFFT plan;
    ASSERT_TRUE(plan.Setup(2, CRectWindow()));
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(2, 2));
    Analyse(chan, plan, {0.0f, 1.0f, 0.0f, -1.0f});
    EXPECT_NEAR(chan.power[1], 0.25f, 1e-7f);
    EXPECT_NEAR(chan.magnitude[1], 0.5f, 1e-7f);
    EXPECT_NEAR(chan.decibel[1], -6.0206f, 1e-4f);
    EXPECT_NEAR(chan.magnitude[0], 0.0f, 1e-7f);
    EXPECT_EQ(chan.dcLevel, 0.0f);
}

TEST(CSpectrumChan, DecibelUsesTheSinglePrecisionLogarithm)
{
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(3, 3));
    chan.power = {0.25f, 1.0f, 0.0f, 3.0e-5f};
    chan.Decibel();
    EXPECT_EQ(chan.decibel, (std::vector<float>{static_cast<float>(double(std::log(0.25f)) * 4.34294), 0.0f,
                                                -std::numeric_limits<float>::infinity(),
                                                static_cast<float>(double(std::log(3.0e-5f)) * 4.34294)}));
}

TEST(CSpectrumChan, DcLevelAndScaleFollowTheGain)
{
    CWindowedFFT plan;
    ASSERT_TRUE(plan.Setup(3, CRectWindow()));
    CSpectrumChan chan;
    ASSERT_TRUE(chan.Alloc(3, 3));
    Analyse(chan, plan, std::vector<float>(8, 0.5f));
    EXPECT_FLOAT_EQ(chan.dcLevel, 0.5f);
    EXPECT_FLOAT_EQ(chan.power[0], 0.25f);

    chan.Power(2.0f);
    EXPECT_FLOAT_EQ(chan.dcLevel, 0.25f);
    for (float bad : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(), 1e-30f}) {
        chan.Power(bad);
        EXPECT_FLOAT_EQ(chan.dcLevel, 0.5f) << bad;
        for (float p : chan.power)
            EXPECT_FALSE(std::isnan(p)) << bad;
    }
}


// A sine exactly on bin 64 of 256 points: every window gives A/2 at the bin, and the
// neighbours follow the window's spectrum (none for the rectangle, A/4 for Hanning,
// A/2 x 0.23/0.54 for Hamming).
TEST(CSpectrumChan, ToneOnABinHasHalfItsAmplitudeForEveryWindow)
{
    const float amplitude = 0.8f;
    const auto tone = Sine(1000, 64.0 / 256.0, amplitude);
    struct Case {
        uint8_t kind;
        double neighbour;
    };
    for (const Case c : {Case{0, 0.0}, Case{1, 0.25}, Case{2, 0.5 * 0.23 / 0.54}}) {
        SCOPED_TRACE(int(c.kind));
        CWindowedFFT plan;
        ASSERT_TRUE(plan.Setup(8, *CWindowFunc::Make(c.kind)));
        CSpectrumChan chan;
        ASSERT_TRUE(chan.Alloc(8, 9)); // 512 slots: the 1000 samples wrap around the ring
        Analyse(chan, plan, tone);
        EXPECT_NEAR(chan.magnitude[64], amplitude / 2, 1e-5);
        EXPECT_NEAR(chan.magnitude[63], amplitude * c.neighbour, 1e-5);
        EXPECT_NEAR(chan.magnitude[65], amplitude * c.neighbour, 1e-5);
        EXPECT_NEAR(chan.magnitude[10] + chan.magnitude[100], 0.0, 1e-5);
        EXPECT_NEAR(chan.decibel[64], 10.0 * std::log10(amplitude * amplitude / 4), 1e-3);
    }
}
