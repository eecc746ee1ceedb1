#include "tests/outputs/FaderTestKit.h"

#include "analysis/CSpectrumAnalyser.h"
#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"


#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <numbers>

FaderTestMidi::FaderTestMidi()
{
    fDest = fSystem.AddVirtualDestination({false, "", "", "Sink"});
    (void)fPort.SelectDest("Sink");
}

std::vector<std::string> FaderTestMidi::Take()
{
    std::vector<std::string> messages;
    for (const auto& packet : fSystem.TakeReceived(fDest)) {
        std::string text;
        for (uint8_t byte : packet) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", byte);
            text += (text.empty() ? "" : " ") + std::string(hex);
        }
        messages.push_back(text);
    }
    return messages;
}

bool FaderTestSound::Load(std::string_view f)
{
    file = std::string(f);
    playing = false;
    return !file.empty();
}

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
