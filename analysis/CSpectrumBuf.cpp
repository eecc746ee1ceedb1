#include "analysis/CSpectrumBuf.h"
#include "analysis/AllocFilled.h"

#include <algorithm>

bool CSpectrumBuf::Alloc(uint32_t order, uint32_t ringOrder)
{
    if (order > CFFT::kMaxOrder || ringOrder > kMaxRingOrder)
        return false;
    const uint32_t ringLength = 1u << std::max(order, ringOrder);
    const uint32_t n = 1u << order;
    std::vector<float> newRing;
    std::vector<float> newSnapshot;
    std::vector<float> newFrame;
    std::vector<SComplex32> newBuffer;
    if (!AllocFilled(newRing, ringLength, 0.0f) || !AllocFilled(newSnapshot, ringLength, 0.0f)
        || !AllocFilled(newFrame, n, 0.0f) || !AllocFilled(newBuffer, n, SComplex32{0.0f, 0.0f}))
        return false;
    ring.swap(newRing);
    snapshot.swap(newSnapshot);
    lastFrame.swap(newFrame);
    fftBuffer.swap(newBuffer);
    mask = ringLength - 1;
    writeIndex = 0;
    loadIndex = 0;
    return true;
}

void CSpectrumBuf::Fill(float value)
{
    std::fill(ring.begin(), ring.end(), value);
    std::fill(snapshot.begin(), snapshot.end(), value);
}

bool CSpectrumBuf::LoadFFTInput(std::span<const float> window, const CFFT& plan)
{
    const uint32_t n = FFTSize();
    if (n == 0 || plan.size != n || plan.bitrev.size() != n || ring.size() < n)
        return false;
    if (!window.empty() && window.size() != n)
        return false;

    const uint32_t start = (writeIndex - n) & mask;
    loadIndex = writeIndex;
    plan.ForEachReversed([&](uint32_t k, uint32_t reversed) {
        const float s = ring[(start + k) & mask];
        lastFrame[k] = s;
        fftBuffer[reversed] = {window.empty() ? s : window[k] * s, 0.0f};
    });
    std::copy(ring.begin(), ring.end(), snapshot.begin());
    return true;
}
