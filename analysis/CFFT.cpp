#include "analysis/CFFT.h"
#include "analysis/AllocFilled.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// a, b := a + w b, a - w b, with the complex product done in f32.
inline void Butterfly(SComplex32& a, SComplex32& b, SComplex32 w)
{
    const float tr = w.re * b.re - w.im * b.im;
    const float ti = w.re * b.im + w.im * b.re;
    const float ar = a.re;
    const float ai = a.im;
    b.re = ar - tr;
    b.im = ai - ti;
    a.re = ar + tr;
    a.im = ai + ti;
}

// Stages 0 and 1 together over blocks of four: both stay inside one block, so doing them
// block by block gives the same values as two full passes with half the memory traffic.
void FirstTwoStages(SComplex32* data, uint32_t n, const SComplex32* stages)
{
    const SComplex32 w0 = stages[0];
    const SComplex32 w10 = stages[1];
    const SComplex32 w11 = stages[2];
    for (uint32_t b = 0; b < n; b += 4) {
        SComplex32* x = data + b;
        Butterfly(x[0], x[1], w0);
        Butterfly(x[2], x[3], w0);
        Butterfly(x[0], x[2], w10);
        Butterfly(x[1], x[3], w11);
    }
}

void Stage(SComplex32* data, uint32_t n, uint32_t h, const SComplex32* w)
{
    for (uint32_t b = 0; b < n; b += 2 * h) {
        SComplex32* lo = data + b;
        SComplex32* hi = lo + h;
        for (uint32_t j = 0; j < h; ++j)
            Butterfly(lo[j], hi[j], w[j]);
    }
}

// Stages first .. last-1 over n values (n a multiple of 2^last).
void Stages(SComplex32* data, uint32_t first, uint32_t last, uint32_t n, const SComplex32* stages)
{
    uint32_t s = first;
    if (s == 0 && last >= 2) {
        FirstTwoStages(data, n, stages);
        s = 2;
    }
    for (; s < last; ++s) {
        const uint32_t h = 1u << s;
        Stage(data, n, h, stages + (h - 1));
    }
}

// 2^10 complex values (8 KiB) fit the first-level cache with room to spare.
constexpr uint32_t kCacheBlockOrder = 10;

} // namespace

uint32_t CFFT::ClampOrder(int order)
{
    return static_cast<uint32_t>(std::clamp(order, 1, static_cast<int>(kMaxOrder)));
}

bool CFFT::Init(uint32_t newOrder)
{
    if (newOrder > kMaxOrder)
        return false;
    const uint32_t n = 1u << newOrder;
    const uint32_t h = n / 2;
    std::vector<SComplex32> tw;
    std::vector<uint32_t> rev;
    std::vector<SComplex32> stages;
    if (!AllocFilled(tw, n, SComplex32{0.0f, 0.0f}) || !AllocFilled(rev, n, 0u)
        || !AllocFilled(stages, 2 * (n - 1), SComplex32{0.0f, 0.0f}))
        return false;

    for (uint32_t j = 0; j < h; ++j) {
        const double t = 2.0 * std::numbers::pi * j / n;
        const double c = std::cos(t);
        const double s = std::sin(t);
        tw[j] = {static_cast<float>(c), static_cast<float>(-s)};
        tw[h + j] = {static_cast<float>(c), static_cast<float>(s)};
    }
    for (uint32_t i = 1; i < n; ++i)
        rev[i] = (rev[i >> 1] >> 1) | ((i & 1u) << (newOrder - 1));

    for (uint32_t s = 0; s < newOrder; ++s) {
        const uint32_t span = 1u << s;
        const uint32_t shift = newOrder - 1 - s;
        for (uint32_t j = 0; j < span; ++j) {
            stages[span - 1 + j] = tw[j << shift];
            stages[(n - 1) + span - 1 + j] = tw[(j << shift) + h];
        }
    }

    order = newOrder;
    size = n;
    half = h;
    twiddles.swap(tw);
    bitrev.swap(rev);
    fStageTwiddles.swap(stages);
    return true;
}

bool CFFT::Transform(std::span<SComplex32> data, Direction direction) const
{
    if (data.size() != size || bitrev.size() != size)
        return false;
    if (order == 0)
        return true;
    const SComplex32* stages = fStageTwiddles.data() + (direction == Direction::Inverse ? size - 1 : 0);
    // Butterflies of one stage are independent, so the early stages run block by block while
    // a block still sits in the first-level cache; the values are the same as stage by stage.
    const uint32_t blockOrder = std::min(order, kCacheBlockOrder);
    const uint32_t block = 1u << blockOrder;
    for (uint32_t b = 0; b < size; b += block)
        Stages(data.data() + b, 0, blockOrder, block, stages);
    Stages(data.data(), blockOrder, order, size, stages);
    return true;
}
