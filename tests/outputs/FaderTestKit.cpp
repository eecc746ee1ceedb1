#include "tests/outputs/FaderTestKit.h"

#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"

#include <bit>
#include <cmath>
#include <numbers>

// Out of line, away from the suite that replaces the global operator new.
void AnalyseSamples(CSpectrumAnalyser& analyser, uint32_t channel, const std::vector<float>& samples)
{
    CSpectrumChan* chan = analyser.Channel(channel);
    if (!chan)
        return;
    for (float s : samples)
        chan->Push(s);
    CWindowedFFT plan;
    const uint32_t order = uint32_t(std::countr_zero(chan->FFTSize()));
    if (!plan.Setup(order, CHanningWindow()) || !chan->LoadFFTInput(plan.windowTable, plan.fft) ||
        !plan.fft.Transform(chan->fftBuffer, CFFT::Direction::Forward))
        return;
    chan->Power(plan.windowGain);
    chan->Magnitude();
}

std::vector<float> SineOnBin(uint32_t bin, uint32_t fftSize, float amplitude, uint32_t count)
{
    std::vector<float> samples(count);
    for (uint32_t n = 0; n < count; ++n)
        samples[n] = float(amplitude * std::sin(2.0 * std::numbers::pi * bin * n / fftSize));
    return samples;
}
