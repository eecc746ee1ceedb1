#include "analysis/CFFT.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>
#include <numbers>
#include <random>
#include <vector>

namespace {

using Cd = std::complex<double>;

std::vector<SComplex32> RandomSignal(uint32_t n, uint32_t seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    std::vector<SComplex32> x(n);
    for (auto& v : x)
        v = {dist(gen), dist(gen)};
    return x;
}

// The plan expects its input in bit-reversed order.
std::vector<SComplex32> Scrambled(const CFFT& plan, const std::vector<SComplex32>& x)
{
    std::vector<SComplex32> out(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        out[plan.bitrev[i]] = x[i];
    return out;
}

// The N-th roots of unity in double, exp(sign 2 pi i j / N).
std::vector<Cd> Roots(uint32_t n, double sign)
{
    std::vector<Cd> roots(n);
    for (uint32_t j = 0; j < n; ++j) {
        const double t = sign * 2.0 * std::numbers::pi * j / n;
        roots[j] = Cd(std::cos(t), std::sin(t));
    }
    return roots;
}

// One output bin of the unscaled DFT, in double.
Cd NaiveBin(const std::vector<SComplex32>& x, const std::vector<Cd>& roots, uint32_t k)
{
    const uint64_t n = x.size();
    Cd sum = 0.0;
    for (uint64_t i = 0; i < n; ++i)
        sum += Cd(x[i].re, x[i].im) * roots[(i * k) % n];
    return sum;
}

// Compares up to 96 bins (all of them for small N) with the naive DFT; the error is measured
// against the signal's energy, the scale on which an f32 FFT's rounding grows.
void ExpectMatchesNaiveDft(uint32_t order, CFFT::Direction direction)
{
    CFFT plan;
    ASSERT_TRUE(plan.Init(order));
    const uint32_t n = plan.size;
    const auto x = RandomSignal(n, 1000 + order);
    auto data = Scrambled(plan, x);
    ASSERT_TRUE(plan.Transform(data, direction));

    double energy = 0.0;
    for (const auto& v : x)
        energy += double(v.re) * v.re + double(v.im) * v.im;
    const double bound = 4e-7 * (order + 1) * std::sqrt(energy);
    const auto roots = Roots(n, direction == CFFT::Direction::Forward ? -1.0 : 1.0);
    const uint32_t checks = std::min<uint32_t>(n, 96);
    std::mt19937 gen(order);
    for (uint32_t c = 0; c < checks; ++c) {
        const uint32_t k = n <= 96 ? c : gen() % n;
        const Cd want = NaiveBin(x, roots, k);
        const Cd got(data[k].re, data[k].im);
        EXPECT_LE(std::abs(got - want), bound) << "N=" << n << " bin " << k;
    }
}

// The transform written the plain way, stage by stage over the plan's own twiddle table: the
// plan's faster loops must give exactly these f32 values.
void PlainTransform(const CFFT& plan, std::vector<SComplex32>& data, bool inverse)
{
    const uint32_t k = plan.order;
    const uint32_t n = plan.size;
    for (uint32_t s = 0; s < k; ++s) {
        const uint32_t h = 1u << s;
        for (uint32_t b = 0; b < n; b += 2 * h) {
            for (uint32_t j = 0; j < h; ++j) {
                const SComplex32 w = plan.twiddles[(j << (k - 1 - s)) + (inverse ? n / 2 : 0)];
                const SComplex32 x = data[b + j + h];
                const SComplex32 t{w.re * x.re - w.im * x.im, w.re * x.im + w.im * x.re};
                const SComplex32 a = data[b + j];
                data[b + j + h] = {a.re - t.re, a.im - t.im};
                data[b + j] = {a.re + t.re, a.im + t.im};
            }
        }
    }
}

// The plan's transform on `path` gives exactly the plain values, both directions.
void ExpectPlainValues(uint32_t order, CFFT::Path path)
{
    CFFT plan;
    ASSERT_TRUE(plan.Init(order));
    ASSERT_TRUE(plan.UsePath(path));
    ASSERT_EQ(plan.CurrentPath(), path);
    for (bool inverse : {false, true}) {
        auto want = RandomSignal(plan.size, order * 2 + inverse);
        auto got = want;
        PlainTransform(plan, want, inverse);
        ASSERT_TRUE(plan.Transform(got, inverse ? CFFT::Direction::Inverse : CFFT::Direction::Forward));
        for (uint32_t i = 0; i < plan.size; ++i) {
            ASSERT_EQ(got[i].re, want[i].re) << "order " << order << " index " << i;
            ASSERT_EQ(got[i].im, want[i].im) << "order " << order << " index " << i;
        }
    }
}

} // namespace

// On every build of the stage loops this processor runs.
TEST(CFFT, GivesExactlyThePlainStageByStageValues)
{
    for (const CFFT::Path path : CFFT::AvailablePaths()) {
        SCOPED_TRACE(path == CFFT::Path::Generic ? "generic" : "avx2");
        for (uint32_t order = 1; order <= 15; ++order)
            ExpectPlainValues(order, path);
    }
}

TEST(CFFT, UsesTheWidestVectorUnitAndRefusesMissingOnes)
{
    const auto paths = CFFT::AvailablePaths();
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), CFFT::Path::Generic);
    CFFT plan;
    ASSERT_TRUE(plan.Init(10));
    EXPECT_EQ(plan.CurrentPath(), paths.back());
    const bool hasAvx2 = std::find(paths.begin(), paths.end(), CFFT::Path::Avx2) != paths.end();
    EXPECT_EQ(plan.UsePath(CFFT::Path::Avx2), hasAvx2);
    EXPECT_TRUE(plan.UsePath(CFFT::Path::Generic));
    EXPECT_EQ(plan.CurrentPath(), CFFT::Path::Generic);
}

TEST(CFFT, OrderZeroIsTheOnePointIdentityAndTablesHoldExactFactorsAndReversedIndexes)
{
    CFFT plan;
    ASSERT_TRUE(plan.Init(0));
    EXPECT_EQ(plan.bitrev, std::vector<uint32_t>{0});
    std::vector<SComplex32> one{{3.5f, -2.0f}};
    EXPECT_TRUE(plan.Transform(one, CFFT::Direction::Forward));
    EXPECT_EQ(std::pair(one[0].re, one[0].im), std::pair(3.5f, -2.0f));
    ASSERT_TRUE(plan.Init(3));
    EXPECT_EQ(plan.size, 8u);
    EXPECT_EQ(plan.half, 4u);
    EXPECT_EQ(plan.bitrev, (std::vector<uint32_t>{0, 4, 2, 6, 1, 5, 3, 7}));
    ASSERT_EQ(plan.twiddles.size(), 8u);
    for (uint32_t j = 0; j < 4; ++j) {
        const double t = 2.0 * std::numbers::pi * j / 8;
        EXPECT_EQ(plan.twiddles[j].re, static_cast<float>(std::cos(t)));
        EXPECT_EQ(plan.twiddles[j].im, static_cast<float>(-std::sin(t)));
        EXPECT_EQ(plan.twiddles[4 + j].re, static_cast<float>(std::cos(t)));
        EXPECT_EQ(plan.twiddles[4 + j].im, static_cast<float>(std::sin(t)));
    }
}

TEST(CFFT, InitIsAllOrNothingAndTransformRefusesABufferOfTheWrongSize)
{
    CFFT plan;
    std::vector<SComplex32> data(8, SComplex32{1.0f, 0.0f});
    EXPECT_FALSE(plan.Transform(data, CFFT::Direction::Forward)) << "uninitialised plan";
    ASSERT_TRUE(plan.Init(4));
    EXPECT_FALSE(plan.Transform(data, CFFT::Direction::Forward));
    EXPECT_EQ(data[0].re, 1.0f);
    data.resize(32, SComplex32{1.0f, 0.0f});
    EXPECT_FALSE(plan.Transform(data, CFFT::Direction::Inverse));
    EXPECT_FALSE(plan.Init(CFFT::kMaxOrder + 1));
    EXPECT_FALSE(plan.Init(255));
    EXPECT_EQ(plan.order, 4u);
    EXPECT_EQ(plan.size, 16u);
    EXPECT_EQ(plan.twiddles.size(), 16u);
    EXPECT_EQ(plan.bitrev.size(), 16u);
    EXPECT_TRUE(plan.Init(CFFT::kMaxOrder));
    EXPECT_EQ(plan.size, 1u << CFFT::kMaxOrder);
}

TEST(CFFT, MatchesNaiveDftForEveryOrder)
{
    for (uint32_t order = 1; order <= 16; ++order) {
        SCOPED_TRACE(order);
        ExpectMatchesNaiveDft(order, CFFT::Direction::Forward);
        ExpectMatchesNaiveDft(order, CFFT::Direction::Inverse);
    }
}

TEST(CFFT, ForEachReversedVisitsEveryIndexOnceWithItsReversal)
{
    for (uint32_t order = 0; order <= 12; ++order) {
        CFFT plan;
        ASSERT_TRUE(plan.Init(order));
        std::vector<int> seen(plan.size, 0);
        bool paired = true;
        plan.ForEachReversed([&](uint32_t k, uint32_t reversed) {
            ++seen[k];
            paired = paired && reversed == plan.bitrev[k];
        });
        EXPECT_TRUE(paired) << "order " << order;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), int(plan.size)) << "order " << order;
    }
}
