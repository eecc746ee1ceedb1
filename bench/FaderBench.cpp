// One analysis pass of two channels followed by 64 band faders of mixed measures and output
// kinds (DMX, 16-bit DMX, MIDI control, bend and note, OSC), with the display pass that
// writes every fader's live values into its record.
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/records/CParamSet.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/faders/CFaderEngine.h"
#include "outputs/midi/CMIDIClient.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "platform/devices/DeviceRegistry.h"
#include "platform/midi/MidiSystem.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <mutex>
#include <numbers>
#include <string>

namespace {

class BenchQueue : public LAsyncQueue {
public:
    void RequestDrain() override {}
    void PostSignal(LAsyncSignal*) override {}
    void UnregisterSignal(LAsyncSignal*) override {}
    void CancelSignal(LAsyncSignal*) override {}
    void Lock() override { fLock.lock(); }
    void Unlock() override { fLock.unlock(); }
    uint32_t NowMs() override { return 0; }
    plat::RunLoop* RunLoop() override { return nullptr; }

private:
    std::recursive_mutex fLock;
};

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
