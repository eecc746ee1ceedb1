// The portable build of the FFT's stages: one radix-2 stage per pass over split values,
// written for the compiler's vectoriser.
#include "analysis/CFFTKernel.h"
#include "analysis/CFFTStages.h"

#include <cstring>

namespace {

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

// One stage (h >= 4, a power of two) on split values.
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

void Transform(SComplex32* x, float* re, float* im, uint32_t order, const float* wr, const float* wi)
{
    const size_t n = size_t{1} << order;
    // Butterflies of one stage are independent, so the early stages run block by block while
    // a block still sits in the first-level cache; the values are the same as stage by stage.
    const uint32_t blockOrder = order < kCacheBlockOrder ? order : kCacheBlockOrder;
    const size_t block = size_t{1} << blockOrder;
    for (size_t b = 0; b < n; b += block) {
        FirstTwoStagesToSplit(x + b, re + b, im + b, block, wr, wi);
        for (uint32_t s = 2; s < blockOrder; ++s)
            StageSplit(re + b, im + b, block, size_t{1} << s, wr + (size_t{1} << s) - 1, wi + (size_t{1} << s) - 1);
    }
    for (uint32_t s = blockOrder; s < order; ++s)
        StageSplit(re, im, n, size_t{1} << s, wr + (size_t{1} << s) - 1, wi + (size_t{1} << s) - 1);
    for (size_t i = 0; i < n; ++i)
        x[i] = {re[i], im[i]};
}

} // namespace

const CFFTKernel kFFTKernelGeneric{CFFT::Path::Generic, &Transform};
