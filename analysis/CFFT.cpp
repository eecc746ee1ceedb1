#include "analysis/CFFT.h"

#include "analysis/AllocFilled.h"
#include "analysis/CFFTKernel.h"
#include "analysis/CFFTStages.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// The plain transform of 2^order (1 or 2) values, stage by stage.
void SmallTransform(SComplex32* x, uint32_t order, const float* wr, const float* wi)
{
    const uint32_t n = 1u << order;
    for (uint32_t s = 0; s < order; ++s) {
        const uint32_t h = 1u << s;
        for (uint32_t b = 0; b < n; b += 2 * h)
            for (uint32_t j = 0; j < h; ++j)
                Butterfly(x[b + j], x[b + h + j], SComplex32{wr[h - 1 + j], wi[h - 1 + j]});
    }
}

const CFFTKernel* KernelFor(CFFT::Path path)
{
    switch (path) {
    case CFFT::Path::Generic:
        return &kFFTKernelGeneric;
    case CFFT::Path::Avx2:
#if defined(__x86_64__)
        // The processor check includes the system's support of the 256-bit registers.
        if (__builtin_cpu_supports("avx2"))
            return &kFFTKernelAvx2;
#endif
        return nullptr;
    }
    return nullptr;
}

const CFFTKernel* WidestKernel()
{
    static const CFFTKernel* const widest = KernelFor(CFFT::AvailablePaths().back());
    return widest;
}

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

std::vector<CFFT::Path> CFFT::AvailablePaths()
{
    std::vector<Path> paths{Path::Generic};
    if (KernelFor(Path::Avx2))
        paths.push_back(Path::Avx2);
    return paths;
}

bool CFFT::UsePath(Path path)
{
    const CFFTKernel* kernel = KernelFor(path);
    if (!kernel)
        return false;
    fKernel = kernel;
    return true;
}

CFFT::Path CFFT::CurrentPath() const { return (fKernel ? fKernel : WidestKernel())->path; }

bool CFFT::Transform(std::span<SComplex32> data, Direction direction) const
{
    if (data.size() != size || bitrev.size() != size)
        return false;
    if (order == 0)
        return true;
    const uint32_t offset = direction == Direction::Inverse ? size - 1 : 0;
    const float* wr = fStageRe.data() + offset;
    const float* wi = fStageIm.data() + offset;
    if (order <= 2) {
        SmallTransform(data.data(), order, wr, wi);
        return true;
    }
    const CFFTKernel* kernel = fKernel ? fKernel : WidestKernel();
    kernel->transform(data.data(), fScratchRe.data(), fScratchIm.data(), order, wr, wi);
    return true;
}
