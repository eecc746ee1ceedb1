// The FFT's stages for 256-bit AVX2 vectors (x86-64 only; built with -mavx2, fft.cmake): the
// first three radix-2 stages in one pass from the interleaved input, then three or two stages
// per pass over split values, eight butterflies per instruction, the last pass writing the
// interleaved output. Each butterfly is the same f32 products and sums as in the
// portable build, in the same order: multiply, then add or subtract, never fused.
#include "analysis/CFFTKernel.h"

#if defined(__x86_64__)
#include "analysis/CFFTStages.h"

#include <immintrin.h>

namespace {

// Eight floats in a 256-bit register.
struct Wide {
    using T = __m256;
    static constexpr size_t kWidth = 8;
    static T Load(const float* p) { return _mm256_loadu_ps(p); }
    static void Store(float* p, T v) { _mm256_storeu_ps(p, v); }
    static T Mul(T a, T b) { return _mm256_mul_ps(a, b); }
    static T Add(T a, T b) { return _mm256_add_ps(a, b); }
    static T Sub(T a, T b) { return _mm256_sub_ps(a, b); }
    static void StoreInterleaved(SComplex32* out, T re, T im)
    {
        const T lo = _mm256_unpacklo_ps(re, im); // values 0 1 | 4 5
        const T hi = _mm256_unpackhi_ps(re, im); // values 2 3 | 6 7
        _mm256_storeu_ps(&out[0].re, _mm256_permute2f128_ps(lo, hi, 0x20));
        _mm256_storeu_ps(&out[4].re, _mm256_permute2f128_ps(lo, hi, 0x31));
    }
};

// Four floats in a 128-bit register, for the stages whose half-span is four.
struct Narrow {
    using T = __m128;
    static constexpr size_t kWidth = 4;
    static T Load(const float* p) { return _mm_loadu_ps(p); }
    static void Store(float* p, T v) { _mm_storeu_ps(p, v); }
    static T Mul(T a, T b) { return _mm_mul_ps(a, b); }
    static T Add(T a, T b) { return _mm_add_ps(a, b); }
    static T Sub(T a, T b) { return _mm_sub_ps(a, b); }
    static void StoreInterleaved(SComplex32* out, T re, T im)
    {
        _mm_storeu_ps(&out[0].re, _mm_unpacklo_ps(re, im));
        _mm_storeu_ps(&out[2].re, _mm_unpackhi_ps(re, im));
    }
};

// Split values: a position's real and imaginary parts.
template <class V>
struct Lanes {
    typename V::T re;
    typename V::T im;
};

template <class V>
Lanes<V> LoadLanes(const float* re, const float* im, size_t at)
{
    return {V::Load(re + at), V::Load(im + at)};
}

// Writes lanes back, split, or interleaved into the output on the transform's last pass.
template <class V, bool Last>
void StoreLanes(const Lanes<V>& x, float* re, float* im, SComplex32* out, size_t at)
{
    if constexpr (Last) {
        V::StoreInterleaved(out + at, x.re, x.im);
    } else {
        V::Store(re + at, x.re);
        V::Store(im + at, x.im);
    }
}

// a, b := a + w b, a - w b in every lane.
template <class V>
inline void ButterflyLanes(Lanes<V>& a, Lanes<V>& b, const float* wr, const float* wi)
{
    const typename V::T cr = V::Load(wr);
    const typename V::T ci = V::Load(wi);
    const typename V::T tr = V::Sub(V::Mul(cr, b.re), V::Mul(ci, b.im));
    const typename V::T ti = V::Add(V::Mul(cr, b.im), V::Mul(ci, b.re));
    b.re = V::Sub(a.re, tr);
    b.im = V::Sub(a.im, ti);
    a.re = V::Add(a.re, tr);
    a.im = V::Add(a.im, ti);
}

// One stage of half-span h (a multiple of the width).
template <class V, bool Last>
void StageBy(float* re, float* im, SComplex32* out, size_t n, size_t h, const float* wr, const float* wi)
{
    for (size_t b = 0; b < n; b += 2 * h) {
        for (size_t j = 0; j < h; j += V::kWidth) {
            Lanes<V> x0 = LoadLanes<V>(re, im, b + j);
            Lanes<V> x1 = LoadLanes<V>(re, im, b + h + j);
            ButterflyLanes(x0, x1, wr + j, wi + j);
            StoreLanes<V, Last>(x0, re, im, out, b + j);
            StoreLanes<V, Last>(x1, re, im, out, b + h + j);
        }
    }
}

// Stage s (half-span h, factors w) and stage s + 1 (half-span 2h, factors v) in one pass over
// each block of 4h values: the second stage pairs values the first one has finished.
template <class V, bool Last>
void StagePairBy(float* re, float* im, SComplex32* out, size_t n, size_t h, const float* wr, const float* wi,
                 const float* vr, const float* vi)
{
    for (size_t b = 0; b < n; b += 4 * h) {
        for (size_t j = 0; j < h; j += V::kWidth) {
            Lanes<V> x0 = LoadLanes<V>(re, im, b + j);
            Lanes<V> x1 = LoadLanes<V>(re, im, b + h + j);
            Lanes<V> x2 = LoadLanes<V>(re, im, b + 2 * h + j);
            Lanes<V> x3 = LoadLanes<V>(re, im, b + 3 * h + j);
            ButterflyLanes(x0, x1, wr + j, wi + j);
            ButterflyLanes(x2, x3, wr + j, wi + j);
            ButterflyLanes(x0, x2, vr + j, vi + j);
            ButterflyLanes(x1, x3, vr + h + j, vi + h + j);
            StoreLanes<V, Last>(x0, re, im, out, b + j);
            StoreLanes<V, Last>(x1, re, im, out, b + h + j);
            StoreLanes<V, Last>(x2, re, im, out, b + 2 * h + j);
            StoreLanes<V, Last>(x3, re, im, out, b + 3 * h + j);
        }
    }
}

// Stages s, s + 1 and s + 2 (half-spans h, 2h, 4h; factors w, v, u) in one pass over each
// block of 8h values, eight rows h apart held in registers: a pass over memory less for the
// stages whose spans reach past the first-level cache.
template <class V, bool Last>
void StageTripleBy(float* re, float* im, SComplex32* out, size_t n, size_t h, const float* wr, const float* wi)
{
    const float* vr = wr + h;
    const float* vi = wi + h;
    const float* ur = wr + 3 * h;
    const float* ui = wi + 3 * h;
    for (size_t b = 0; b < n; b += 8 * h) {
        for (size_t j = 0; j < h; j += V::kWidth) {
            Lanes<V> x[8];
            for (size_t k = 0; k < 8; ++k)
                x[k] = LoadLanes<V>(re, im, b + k * h + j);
            for (size_t k = 0; k < 8; k += 2)
                ButterflyLanes(x[k], x[k + 1], wr + j, wi + j);
            for (size_t k = 0; k < 8; k += 4) {
                ButterflyLanes(x[k], x[k + 2], vr + j, vi + j);
                ButterflyLanes(x[k + 1], x[k + 3], vr + h + j, vi + h + j);
            }
            for (size_t k = 0; k < 4; ++k)
                ButterflyLanes(x[k], x[k + 4], ur + k * h + j, ui + k * h + j);
            for (size_t k = 0; k < 8; ++k)
                StoreLanes<V, Last>(x[k], re, im, out, b + k * h + j);
        }
    }
}

// One pass of `count` stages (1 to 3) from half-span h, eight lanes wide or, for the stages
// whose half-span is four, four.
template <class V, bool Last>
void PassBy(uint32_t count, float* re, float* im, SComplex32* out, size_t n, size_t h, const float* wr, const float* wi)
{
    if (count == 3)
        StageTripleBy<V, Last>(re, im, out, n, h, wr, wi);
    else if (count == 2)
        StagePairBy<V, Last>(re, im, out, n, h, wr, wi, wr + h, wi + h); // the next stage's factors follow
    else
        StageBy<V, Last>(re, im, out, n, h, wr, wi);
}

template <bool Last>
void Pass(uint32_t count, float* re, float* im, SComplex32* out, size_t n, size_t h, const float* wr, const float* wi)
{
    if (h >= Wide::kWidth)
        PassBy<Wide, Last>(count, re, im, out, n, h, wr, wi);
    else
        PassBy<Narrow, Last>(count, re, im, out, n, h, wr, wi);
}

// Stages first .. last-1 over n split values, three or two per pass where they can; when
// `writesOut` the final one writes the interleaved output.
void RunStages(float* re, float* im, SComplex32* out, size_t n, uint32_t first, uint32_t last, bool writesOut,
               const float* wr, const float* wi)
{
    for (uint32_t s = first; s < last;) {
        const size_t h = size_t{1} << s;
        const float* sr = wr + h - 1;
        const float* si = wi + h - 1;
        // Three stages at a time keep eight rows in registers: rows of eight values at least (rows
        // of four would not fit), and rows close enough for the first-level cache (eight rows a
        // cache block apart map to the same cache sets).
        const bool triple = h >= Wide::kWidth && h < (size_t{1} << kCacheBlockOrder) && s + 2 < last;
        const uint32_t step = triple ? 3 : s + 1 < last ? 2 : 1;
        if (writesOut && s + step == last)
            Pass<true>(step, re, im, out, n, h, sr, si);
        else
            Pass<false>(step, re, im, out, n, h, sr, si);
        s += step;
    }
}

// Splits a ymm of four interleaved values and a second one into their reals and imaginaries,
// each as [0 1 4 5 | 2 3 6 7].
inline void SplitEight(__m256 a, __m256 b, __m256& re, __m256& im)
{
    re = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    im = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
}

// Stages 0, 1 and 2 over blocks of eight, two blocks at a time (one per 128-bit half), from
// the interleaved input into split values; n a multiple of 16. Between the stages the values
// are regrouped so that every butterfly pairs the same lane of two registers.
void FirstThreeStagesToSplit(const SComplex32* in, float* re, float* im, size_t n, const float* wr, const float* wi)
{
    using V = Wide;
    const __m256 w0r = _mm256_set1_ps(wr[0]);
    const __m256 w0i = _mm256_set1_ps(wi[0]);
    const __m256 w1r = _mm256_setr_ps(wr[1], wr[1], wr[2], wr[2], wr[1], wr[1], wr[2], wr[2]);
    const __m256 w1i = _mm256_setr_ps(wi[1], wi[1], wi[2], wi[2], wi[1], wi[1], wi[2], wi[2]);
    const __m256 w2r = _mm256_setr_ps(wr[3], wr[4], wr[5], wr[6], wr[3], wr[4], wr[5], wr[6]);
    const __m256 w2i = _mm256_setr_ps(wi[3], wi[4], wi[5], wi[6], wi[3], wi[4], wi[5], wi[6]);
    const auto butterfly = [](Lanes<V>& a, Lanes<V>& b, __m256 cr, __m256 ci) {
        const __m256 tr = V::Sub(V::Mul(cr, b.re), V::Mul(ci, b.im));
        const __m256 ti = V::Add(V::Mul(cr, b.im), V::Mul(ci, b.re));
        b.re = V::Sub(a.re, tr);
        b.im = V::Sub(a.im, ti);
        a.re = V::Add(a.re, tr);
        a.im = V::Add(a.im, ti);
    };
    for (size_t k = 0; k < n; k += 16) {
        const float* p = &in[k].re;
        __m256 rb, ib, rc, ic;
        SplitEight(_mm256_loadu_ps(p), _mm256_loadu_ps(p + 8), rb, ib);
        SplitEight(_mm256_loadu_ps(p + 16), _mm256_loadu_ps(p + 24), rc, ic);
        // Values 0 1 4 5 and 2 3 6 7 of both blocks.
        const __m256 loR = _mm256_permute2f128_ps(rb, rc, 0x20);
        const __m256 hiR = _mm256_permute2f128_ps(rb, rc, 0x31);
        const __m256 loI = _mm256_permute2f128_ps(ib, ic, 0x20);
        const __m256 hiI = _mm256_permute2f128_ps(ib, ic, 0x31);
        // Stage 0 pairs values 0-1, 4-5, 2-3, 6-7.
        Lanes<V> a{_mm256_shuffle_ps(loR, hiR, _MM_SHUFFLE(2, 0, 2, 0)), _mm256_shuffle_ps(loI, hiI, _MM_SHUFFLE(2, 0, 2, 0))};
        Lanes<V> b{_mm256_shuffle_ps(loR, hiR, _MM_SHUFFLE(3, 1, 3, 1)), _mm256_shuffle_ps(loI, hiI, _MM_SHUFFLE(3, 1, 3, 1))};
        butterfly(a, b, w0r, w0i);
        // Stage 1 pairs 0-2, 4-6 (first factor) and 1-3, 5-7 (second).
        Lanes<V> c{_mm256_shuffle_ps(a.re, b.re, _MM_SHUFFLE(1, 0, 1, 0)), _mm256_shuffle_ps(a.im, b.im, _MM_SHUFFLE(1, 0, 1, 0))};
        Lanes<V> d{_mm256_shuffle_ps(a.re, b.re, _MM_SHUFFLE(3, 2, 3, 2)), _mm256_shuffle_ps(a.im, b.im, _MM_SHUFFLE(3, 2, 3, 2))};
        butterfly(c, d, w1r, w1i);
        // Stage 2 pairs 0-4, 1-5, 2-6, 3-7.
        Lanes<V> e{_mm256_shuffle_ps(c.re, d.re, _MM_SHUFFLE(2, 0, 2, 0)), _mm256_shuffle_ps(c.im, d.im, _MM_SHUFFLE(2, 0, 2, 0))};
        Lanes<V> f{_mm256_shuffle_ps(c.re, d.re, _MM_SHUFFLE(3, 1, 3, 1)), _mm256_shuffle_ps(c.im, d.im, _MM_SHUFFLE(3, 1, 3, 1))};
        butterfly(e, f, w2r, w2i);
        _mm256_storeu_ps(re + k, _mm256_permute2f128_ps(e.re, f.re, 0x20));
        _mm256_storeu_ps(re + k + 8, _mm256_permute2f128_ps(e.re, f.re, 0x31));
        _mm256_storeu_ps(im + k, _mm256_permute2f128_ps(e.im, f.im, 0x20));
        _mm256_storeu_ps(im + k + 8, _mm256_permute2f128_ps(e.im, f.im, 0x31));
    }
}

void Transform(SComplex32* x, float* re, float* im, uint32_t order, const float* wr, const float* wi)
{
    const size_t n = size_t{1} << order;
    // The early stages run block by block while a block still sits in the first-level cache.
    const uint32_t blockOrder = order < kCacheBlockOrder ? order : kCacheBlockOrder;
    const size_t block = size_t{1} << blockOrder;
    const bool blockEnds = blockOrder == order;
    // Eight points (order 3) are too few for the three-stage first pass.
    const uint32_t firstDone = order >= 4 ? 3 : 2;
    for (size_t b = 0; b < n; b += block) {
        if (firstDone == 3)
            FirstThreeStagesToSplit(x + b, re + b, im + b, block, wr, wi);
        else
            FirstTwoStagesToSplit(x + b, re + b, im + b, block, wr, wi);
        RunStages(re + b, im + b, x + b, block, firstDone, blockOrder, blockEnds, wr, wi);
    }
    if (!blockEnds)
        RunStages(re, im, x, n, blockOrder, order, true, wr, wi);
}

} // namespace

const CFFTKernel kFFTKernelAvx2{CFFT::Path::Avx2, &Transform};
#endif
