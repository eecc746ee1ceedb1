#include "analysis/CSpectrumChan.h"
#include "analysis/AllocFilled.h"

#include <algorithm>
#include <cmath>

namespace {

// 1 / (n x gain), with a gain that is not positive counting as 1 and a scale whose square
// would not be finite (absurdly small gains) falling back to 1 / n.
float SpectrumScale(uint32_t n, float gain)
{
    if (n == 0)
        return 0.0f;
    if (!(gain > 0.0f))
        gain = 1.0f;
    const float scale = 1.0f / (static_cast<float>(n) * gain);
    if (std::isfinite(scale * scale))
        return scale;
    return 1.0f / static_cast<float>(n);
}

} // namespace

bool CSpectrumChan::Alloc(uint32_t order, uint32_t ringOrder)
{
    if (order > CFFT::kMaxOrder)
        return false;
    const uint32_t bins = (1u << order) / 2;
    std::vector<float> newPower;
    std::vector<float> newMagnitude;
    std::vector<float> newDecibel;
    if (!AllocFilled(newPower, bins, 0.0f) || !AllocFilled(newMagnitude, bins, 0.0f)
        || !AllocFilled(newDecibel, bins, kNoDecibel))
        return false;
    if (!CSpectrumBuf::Alloc(order, ringOrder))
        return false;
    power.swap(newPower);
    magnitude.swap(newMagnitude);
    decibel.swap(newDecibel);
    dcLevel = 0.0f;
    return true;
}

void CSpectrumChan::Power(float gain)
{
    const uint32_t n = FFTSize();
    const float scale = SpectrumScale(n, gain);
    const float scale2 = scale * scale;
    dcLevel = n > 0 ? fftBuffer[0].re * scale : 0.0f;
    const size_t bins = std::min<size_t>(power.size(), n / 2);
    const SComplex32* x = fftBuffer.data();
    float* out = power.data();
    for (size_t k = 0; k < bins; ++k)
        out[k] = (x[k].re * x[k].re + x[k].im * x[k].im) * scale2;
}

void CSpectrumChan::Magnitude()
{
    const size_t bins = std::min(power.size(), magnitude.size());
    for (size_t k = 0; k < bins; ++k)
        magnitude[k] = std::sqrt(power[k]);
}

void CSpectrumChan::Decibel()
{
    const size_t bins = std::min(power.size(), decibel.size());
    for (size_t k = 0; k < bins; ++k)
        decibel[k] = static_cast<float>(static_cast<double>(std::log(power[k])) * 4.34294);
}
