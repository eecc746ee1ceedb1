// One analysis pass of two channels followed by 64 band faders of mixed measures and output
// kinds (DMX, 16-bit DMX, MIDI control, bend and note, OSC), with the display pass that
// writes every fader's live values into its record.
#include "analysis/CSpectrumAnalyser.h"
#include "bench/BenchQueue.h"
#include "bench/PlainFaderLevels.h"
#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/records/CParamSet.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/faders/CFaderEngine.h"
#include "outputs/faders/FaderLevel.h"
#include "outputs/midi/CMIDIClient.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "platform/devices/DeviceRegistry.h"
#include "platform/midi/MidiSystem.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>
#include <string>
#include <vector>

namespace {


const uint8_t kKinds[] = {kFaderDmx, kFaderDmx2, kFaderMidiCtrl, kFaderMidiBend, kFaderMidiNote, kFaderOsc};

void AddFaders(CFaderSetRecord& document, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        LObject* fader = document.Fader(document.AppendFader(nullptr));
        const float low = 20.0f + 7.0f * float(i);
        LObject::SetFloat(fader, nullptr, kFadrFrql, low, LObject::Merge::No);
        LObject::SetFloat(fader, nullptr, kFadrFrqh, low + 40.0f, LObject::Merge::No);
        LObject::SetByte(fader, nullptr, kFadrStyp, uint8_t(i % 4), LObject::Merge::No);
        LObject::SetByte(fader, nullptr, kFadrSchn, uint8_t(i % 2), LObject::Merge::No);
        CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, "dch", LStringRef(std::to_string(1 + i * 2).c_str()));
        LObject::SetByte(fader, nullptr, kFadrFtyp, kKinds[i % std::size(kKinds)], LObject::Merge::No);
    }
}

void BM_AnalysisAndBandFaders(benchmark::State& state)
{
    const auto faderCount = uint32_t(state.range(0));
    BenchQueue queue;
    plat::DeviceRegistry registry;
    CDmxOutput dmx(nullptr, &queue, registry);
    plat::MidiSystem midiSystem;
    CMIDIClient client("Bench", midiSystem);
    CMIDIOutPort port(&client, "Faders");
    const plat::MidiEndpoint sink = midiSystem.AddVirtualDestination({false, "", "", "Sink"});
    (void)port.SelectDest("Sink");
    CFaderSetRecord document;
    CSpectrumAnalyser analyser;
    CWindowedFFT plan;
    if (!analyser.Setup(2, 10, 13) || !plan.Setup(10, CHanningWindow())) {
        state.SkipWithError("setup");
        return;
    }
    CFaderEngineLinks links;
    links.midiOut = &port;
    CFaderEngine engine(queue, &dmx, document, std::move(links));
    AddFaders(document, faderCount);
    uint32_t n = 0;
    for (auto _ : state) {
        for (uint32_t c = 0; c < 2; ++c) {
            CSpectrumChan& chan = *analyser.Channel(c);
            for (int k = 0; k < 16; ++k, ++n)
                chan.Push(float(0.5 * std::sin(2.0 * std::numbers::pi * double(n % 1000) / 37.0)));
            (void)chan.LoadFFTInput(plan.windowTable, plan.fft);
            plan.fft.Transform(chan.fftBuffer, CFFT::Direction::Forward);
            chan.Power(plan.windowGain);
            chan.Magnitude();
        }
        engine.ApplySpectrum(1000, analyser);
        benchmark::DoNotOptimize(midiSystem.TakeReceived(sink));
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["faders"] = faderCount;
}
BENCHMARK(BM_AnalysisAndBandFaders)->Arg(0)->Arg(64);

} // namespace

namespace {

// Band ranges, measure, channel and output of fader i in both fader benchmarks.
struct PlainFader {
    float low, high, ampl, amph, fdrl, fdrh;
    uint8_t measure, channel, kind;
    uint16_t dmxChannel;
};

PlainFader PlainFaderAt(uint32_t i)
{
    const float low = 20.0f + 7.0f * float(i);
    return {low, low + 40.0f, 0.0f, 1.0f, 0.0f, 1.0f, uint8_t(i % 4), uint8_t(i % 2),
            uint8_t(i % 2 ? kFaderDmx2 : kFaderDmx), uint16_t(1 + i * 2)};
}

// Two channels analysed once; the passes below alternate between two such analyses, so that
// every pass changes every fader's live values.
bool AnalyseTwoChannels(CSpectrumAnalyser& analyser, double period)
{
    CWindowedFFT plan;
    if (!analyser.Setup(2, 10, 13) || !plan.Setup(10, CHanningWindow()))
        return false;
    for (uint32_t c = 0; c < 2; ++c) {
        CSpectrumChan& chan = *analyser.Channel(c);
        for (uint32_t n = 0; n < 1024; ++n)
            chan.Push(float(0.5 * std::sin(2.0 * std::numbers::pi * double(n) / (period + c))));
        (void)chan.LoadFFTInput(plan.windowTable, plan.fft);
        plan.fft.Transform(chan.fftBuffer, CFFT::Direction::Forward);
        chan.Power(plan.windowGain);
        chan.Magnitude();
    }
    return true;
}

} // namespace

// The engine's pass over 64 band faders with DMX outputs, with the display pass that
// publishes every fader's live values into its record. Judged against BM_PlainFaderArrays.
static void BM_FaderEnginePass(benchmark::State& state)
{
    const auto faderCount = uint32_t(state.range(0));
    BenchQueue queue;
    plat::DeviceRegistry registry;
    CDmxOutput dmx(nullptr, &queue, registry);
    CFaderSetRecord document;
    CSpectrumAnalyser analysers[2];
    if (!AnalyseTwoChannels(analysers[0], 37.0) || !AnalyseTwoChannels(analysers[1], 23.0)) {
        state.SkipWithError("setup");
        return;
    }
    CFaderEngine engine(queue, &dmx, document);
    for (uint32_t i = 0; i < faderCount; ++i) {
        const PlainFader f = PlainFaderAt(i);
        LObject* fader = document.Fader(document.AppendFader(nullptr));
        LObject::SetFloat(fader, nullptr, kFadrFrql, f.low, LObject::Merge::No);
        LObject::SetFloat(fader, nullptr, kFadrFrqh, f.high, LObject::Merge::No);
        LObject::SetByte(fader, nullptr, kFadrStyp, f.measure, LObject::Merge::No);
        LObject::SetByte(fader, nullptr, kFadrSchn, f.channel, LObject::Merge::No);
        CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, "dch", LStringRef(std::to_string(f.dmxChannel).c_str()));
        LObject::SetByte(fader, nullptr, kFadrFtyp, f.kind, LObject::Merge::No);
    }
    uint32_t pass = 0;
    for (auto _ : state)
        engine.ApplySpectrum(1000, analysers[++pass & 1]);
    state.SetItemsProcessed(state.iterations() * faderCount);
}
BENCHMARK(BM_FaderEnginePass)->Arg(64);

// The yardstick of the above: the same band levels and range mapping over plain arrays,
// the DMX bytes into a plain frame and the live values into a plain array.
static void BM_PlainFaderArrays(benchmark::State& state)
{
    const auto faderCount = uint32_t(state.range(0));
    CSpectrumAnalyser analysers[2];
    if (!AnalyseTwoChannels(analysers[0], 37.0) || !AnalyseTwoChannels(analysers[1], 23.0)) {
        state.SkipWithError("setup");
        return;
    }
    std::vector<PlainFader> faders;
    for (uint32_t i = 0; i < faderCount; ++i)
        faders.push_back(PlainFaderAt(i));
    std::vector<uint8_t> dmxFrame(513);
    std::vector<float> live(2 * faderCount);
    const CPeakScale scale{false, 10};
    uint32_t pass = 0;
    for (auto _ : state) {
        const CSpectrumAnalyser& analyser = analysers[++pass & 1];
        for (uint32_t i = 0; i < faderCount; ++i) {
            const PlainFader& f = faders[i];
            const PlainLevels v = PlainFaderLevels(*analyser.Channel(f.channel), f.low, f.high, CBandMeasure(f.measure),
                                                   1000, {f.ampl, f.amph, f.fdrl, f.fdrh}, scale);
            const float y = v.level;
            if (f.kind == kFaderDmx) {
                dmxFrame[f.dmxChannel] = uint8_t(std::clamp(double(y) * 255.0, 0.0, 255.0));
            } else {
                const auto level = uint32_t(std::clamp(double(y) * 65535.0, 0.0, 65535.0));
                dmxFrame[f.dmxChannel] = uint8_t(level >> 8);
                dmxFrame[f.dmxChannel + 1] = uint8_t(level & 0xFF);
            }
            live[2 * i] = v.input;
            live[2 * i + 1] = y;
        }
        benchmark::DoNotOptimize(dmxFrame.data());
        benchmark::DoNotOptimize(live.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * faderCount);
}
BENCHMARK(BM_PlainFaderArrays)->Arg(64);
