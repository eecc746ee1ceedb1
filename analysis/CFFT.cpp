#include "analysis/CFFT.h"
#include "analysis/AllocFilled.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// Stages 0 and 1 together over blocks of four (both stay inside one block, so the values are
// those of two full passes), writing the results split into real and imaginary parts.
void FirstTwoStagesToSplit(const SComplex32* in, float* re, float* im, uint32_t n, const float* wr,
                           const float* wi)
{
    const SComplex32 w0{wr[0], wi[0]};
    const SComplex32 w10{wr[1], wi[1]};
    const SComplex32 w11{wr[2], wi[2]};
    for (uint32_t b = 0; b < n; b += 4) {
        SComplex32 x0 = in[b];
        SComplex32 x1 = in[b + 1];
        SComplex32 x2 = in[b + 2];
        SComplex32 x3 = in[b + 3];
        Butterfly(x0, x1, w0);
        Butterfly(x2, x3, w0);
        Butterfly(x0, x2, w10);
        Butterfly(x1, x3, w11);
        re[b] = x0.re;
        re[b + 1] = x1.re;
        re[b + 2] = x2.re;
        re[b + 3] = x3.re;
        im[b] = x0.im;
        im[b + 1] = x1.im;
        im[b + 2] = x2.im;
        im[b + 3] = x3.im;
    }
}

// C butterflies of split values at once. Working on local copies tells the compiler that
// nothing overlaps, so the fixed-size loops become plain vector code.
template <size_t C>
inline void ButterflyRun(float* loRe, float* loIm, float* hiRe, float* hiIm, const float* wr, const float* wi)
{
    float ar[C], ai[C], br[C], bi[C], cr[C], ci[C];
    std::memcpy(ar, loRe, sizeof ar);
    std::memcpy(ai, loIm, sizeof ai);
    std::memcpy(br, hiRe, sizeof br);
    std::memcpy(bi, hiIm, sizeof bi);
    std::memcpy(cr, wr, sizeof cr);
    std::memcpy(ci, wi, sizeof ci);
    float tr[C], ti[C];
    for (size_t j = 0; j < C; ++j) {
        tr[j] = cr[j] * br[j] - ci[j] * bi[j];
        ti[j] = cr[j] * bi[j] + ci[j] * br[j];
    }
    for (size_t j = 0; j < C; ++j) {
        br[j] = ar[j] - tr[j];
        bi[j] = ai[j] - ti[j];
        ar[j] = ar[j] + tr[j];
        ai[j] = ai[j] + ti[j];
    }
    std::memcpy(loRe, ar, sizeof ar);
    std::memcpy(loIm, ai, sizeof ai);
    std::memcpy(hiRe, br, sizeof br);
    std::memcpy(hiIm, bi, sizeof bi);
}

// One stage (h >= 4, a power of two) on split values: the same butterfly as above.
template <size_t C>
void StageSplitBy(float* re, float* im, size_t n, size_t h, const float* wr, const float* wi)
{
    for (size_t b = 0; b < n; b += 2 * h) {
        for (size_t j = 0; j < h; j += C)
            ButterflyRun<C>(re + b + j, im + b + j, re + b + h + j, im + b + h + j, wr + j, wi + j);
    }
}

void StageSplit(float* re, float* im, size_t n, size_t h, const float* wr, const float* wi)
{
    if (h >= 16)
        StageSplitBy<16>(re, im, n, h, wr, wi);
    else
        StageSplitBy<4>(re, im, n, h, wr, wi);
}

// 2^10 values (8 KiB of split parts) fit the first-level cache with room to spare.
constexpr uint32_t kCacheBlockOrder = 10;

// Forward factors (cos t, -sin t) then inverse ones (cos t, sin t), t = 2 pi j / n, in double.
void FillTwiddles(std::vector<SComplex32>& tw, uint32_t n)
{
    const uint32_t h = n / 2;
    for (uint32_t j = 0; j < h; ++j) {
        const double t = 2.0 * std::numbers::pi * j / n;
        const double c = std::cos(t);
        const double s = std::sin(t);
        tw[j] = {static_cast<float>(c), static_cast<float>(-s)};
        tw[h + j] = {static_cast<float>(c), static_cast<float>(s)};
    }
}

void FillBitReverse(std::vector<uint32_t>& rev, uint32_t order)
{
    for (uint32_t i = 1; i < rev.size(); ++i)
        rev[i] = (rev[i >> 1] >> 1) | ((i & 1u) << (order - 1));
}

// Stage s reads factor j at twiddles[j << (order - 1 - s)]; the stage tables hold exactly those,
// contiguous: forward stages from 0, inverse ones from n - 1, stage s at offset 2^s - 1.
void FillStageTables(const std::vector<SComplex32>& tw, uint32_t order, std::vector<float>& re,
                     std::vector<float>& im)
{
    const uint32_t n = static_cast<uint32_t>(tw.size());
    for (uint32_t s = 0; s < order; ++s) {
        const uint32_t span = 1u << s;
        const uint32_t shift = order - 1 - s;
        for (uint32_t j = 0; j < span; ++j) {
            const SComplex32 forward = tw[j << shift];
            const SComplex32 inverse = tw[(j << shift) + n / 2];
            re[span - 1 + j] = forward.re;
            im[span - 1 + j] = forward.im;
            re[(n - 1) + span - 1 + j] = inverse.re;
            im[(n - 1) + span - 1 + j] = inverse.im;
        }
    }
}

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
    std::vector<float> stageRe;
    std::vector<float> stageIm;
    std::vector<float> scratchRe;
    std::vector<float> scratchIm;
    if (!AllocFilled(tw, n, SComplex32{0.0f, 0.0f}) || !AllocFilled(rev, n, 0u)
        || !AllocFilled(stageRe, 2 * (n - 1), 0.0f) || !AllocFilled(stageIm, 2 * (n - 1), 0.0f)
        || !AllocFilled(scratchRe, n, 0.0f) || !AllocFilled(scratchIm, n, 0.0f))
        return false;

    FillTwiddles(tw, n);
    FillBitReverse(rev, newOrder);
    FillStageTables(tw, newOrder, stageRe, stageIm);

    order = newOrder;
    size = n;
    half = h;
    twiddles.swap(tw);
    bitrev.swap(rev);
    fStageRe.swap(stageRe);
    fStageIm.swap(stageIm);
    fScratchRe.swap(scratchRe);
    fScratchIm.swap(scratchIm);
    return true;
}

bool CFFT::Transform(std::span<SComplex32> data, Direction direction) const
{
    if (data.size() != size || bitrev.size() != size)
        return false;
    if (order == 0)
        return true;
    const uint32_t offset = direction == Direction::Inverse ? size - 1 : 0;
    const float* wr = fStageRe.data() + offset;
    const float* wi = fStageIm.data() + offset;
    SComplex32* x = data.data();
    if (order == 1) {
        Butterfly(x[0], x[1], SComplex32{wr[0], wi[0]});
        return true;
    }
    float* re = fScratchRe.data();
    float* im = fScratchIm.data();
    // Butterflies of one stage are independent, so the early stages run block by block while
    // a block still sits in the first-level cache; the values are the same as stage by stage.
    const uint32_t blockOrder = std::min(order, kCacheBlockOrder);
    const uint32_t block = 1u << blockOrder;
    for (uint32_t b = 0; b < size; b += block) {
        FirstTwoStagesToSplit(x + b, re + b, im + b, block, wr, wi);
        for (uint32_t s = 2; s < blockOrder; ++s)
            StageSplit(re + b, im + b, block, 1u << s, wr + (1u << s) - 1, wi + (1u << s) - 1);
    }
    for (uint32_t s = blockOrder; s < order; ++s)
        StageSplit(re, im, size, 1u << s, wr + (1u << s) - 1, wi + (1u << s) - 1);
    for (uint32_t i = 0; i < size; ++i)
        x[i] = {re[i], im[i]};
    return true;
}
