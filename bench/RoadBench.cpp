// The sample road end to end: 4 channels at 44.1 kHz of the line protocol arriving over
// loopback TCP in 1 ms chunks, analysed 60 times a second (N = 1024, Hann), 64 OSC faders;
// the yardstick also runs 1 and 2 channels and N = 256 and 8192 (RoadShapes).
// BM_SampleRoad composes the program's own classes (line source, async queue, descriptor
// watcher, spectrum channels, FFT, fader engine); BM_SingleLoopRoad is its yardstick, one
// thread doing the same work. Both report the CPU they take as a share of one core, the
// streaming peer's and the OSC sink's threads left out; the yardstick also reports the delay
// from a probe step's arrival to its OSC datagram (see RoadParts.h).
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "bench/PlainFaderLevels.h"
#include "bench/PlainLineParser.h"
#include "bench/RoadParts.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamSet.h"
#include "foundation/streams/CMemStream.h"
#include "outputs/COscWriter.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/faders/CFaderEngine.h"
#include "outputs/faders/FaderLevel.h"
#include "platform/Clock.h"
#include "platform/devices/DeviceRegistry.h"
#include "platform/runloop/RunLoop.h"
#include "shell/CAsyncLoopThread.h"
#include "sources/CSourceType.h"
#include "sources/lines/CLineTCPSrc.h"
#include "sources/ports/CIPAddress.h"
#include "ui/LTimer.h"

#include <benchmark/benchmark.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace road;

constexpr uint64_t kWarmUpUs = 300000;
constexpr uint64_t kMeasureUs = 10000000;
// Fader 0 follows the probe channel: 0 below half scale, 1 from there on.
const CFaderRanges kProbeGate{0.5f, 0.5f, 0.0f, 1.0f};
// The band faders map whatever they measure to 0, so that only the probe's steps send.
const CFaderRanges kQuietBand{0.0f, 0.0f, 0.0f, 0.0f};

// The road's window: pulls frames on "CSampleSrc_Data" into the channel rings (dispatch
// thread, queue lock held) and analyses on the main thread.
class RoadWindow : public LHandler {
public:
    RoadWindow(CAsyncLoopThread& queue, uint16_t oscPort, const RoadShape& shape)
        : fQueue(queue), fShape(shape), fDmx(nullptr, &queue, fRegistry), fEngine(queue, &fDmx, fDocument),
          fSource(this, &queue)
    {
        fReady = fAnalyser.Setup(shape.channels, shape.order, 13) && fPlan.Setup(shape.order, CHanningWindow());
        for (uint32_t i = 0; i < kFaders; ++i) {
            const FaderSetting f = FaderAt(i, shape.channels);
            LObject* fader = fDocument.Fader(fDocument.AppendFader(nullptr));
            LObject::SetFloat(fader, nullptr, kFadrFrql, f.low, LObject::Merge::No);
            LObject::SetFloat(fader, nullptr, kFadrFrqh, f.high, LObject::Merge::No);
            LObject::SetByte(fader, nullptr, kFadrStyp, f.measure, LObject::Merge::No);
            LObject::SetByte(fader, nullptr, kFadrSchn, f.channel, LObject::Merge::No);
            LObject* params = fader->GetChild(kFadrCprm);
            CParamSet::SetValue(params, nullptr, "opt", LStringRef(std::to_string(oscPort).c_str()));
            CParamSet::SetValue(params, nullptr, "oad", LStringRef(f.address.c_str()));
            LObject::SetByte(fader, nullptr, kFadrFtyp, kFaderOsc, LObject::Merge::No);
        }
    }
    bool Connect(uint16_t port) { return fReady && fSource.Connect(CIPAddress(0x7F000001, port)) == 0; }
    uint64_t Frames() const { return fFrames.load(std::memory_order_relaxed); }

    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (msg.subject == &fSource && StrEqual(msg.type, CSampleSrc::msgData)) {
            Pull();
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }

    void Pass()
    {
        {
            LAsyncQueueLock lock(fQueue);
            for (uint32_t c = 0; c < fShape.channels; ++c)
                (void)fAnalyser.Channel(c)->LoadFFTInput(fPlan.windowTable, fPlan.fft);
        }
        for (uint32_t c = 0; c < fShape.channels; ++c) {
            CSpectrumChan& chan = *fAnalyser.Channel(c);
            fPlan.fft.Transform(chan.fftBuffer, CFFT::Direction::Forward);
            chan.Power(fPlan.windowGain);
            chan.Magnitude();
        }
        fEngine.ApplySpectrum(kRate, fAnalyser);
    }

private:
    void Pull()
    {
        float frame[kMaxChannels];
        uint64_t frames = 0;
        for (int32_t r; (r = fSource.Read(frame, fShape.channels)) != 0;) {
            if (r <= 0)
                continue;
            for (int32_t c = 0; c < r; ++c)
                fAnalyser.Channel(uint32_t(c))->Push(frame[c]);
            ++frames;
        }
        fFrames.fetch_add(frames, std::memory_order_relaxed);
    }

    CAsyncLoopThread& fQueue;
    RoadShape fShape;
    plat::DeviceRegistry fRegistry;
    CDmxOutput fDmx;
    CFaderSetRecord fDocument;
    CFaderEngine fEngine;
    CSpectrumAnalyser fAnalyser;
    CWindowedFFT fPlan;
    CLineTCPSrc fSource;
    bool fReady = false;
    std::atomic<uint64_t> fFrames{0};
};

// Runs the main thread's side: the queue's notes, its timers, and a pass every 1/60 s.
void ServeMainThread(RoadWindow& window, uint64_t untilUs, uint64_t* passes)
{
    plat::RunLoop& loop = plat::RunLoop::Current();
    const uint64_t periodUs = 1000000 / kPassesPerSecond;
    uint64_t nextPassUs = plat::NowUs() + periodUs;
    for (uint64_t nowUs; (nowUs = plat::NowUs()) < untilUs;) {
        if (nowUs >= nextPassUs) {
            window.Pass();
            ++*passes;
            nextPassUs += periodUs;
            continue;
        }
        loop.RunInMode(plat::kModeDefault, (nextPassUs - nowUs + 999) / 1000, true);
        for (;;) {
            const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
            if (msg.IsConsumed())
                break;
            LMessage::Send(msg);
        }
    }
}

void BM_SampleRoad(benchmark::State& state)
{
    const RoadShape shape = ShapeOf(state);
    Peer peer(shape.channels);
    OscSink sink;
    CpuMeter meter(peer, sink);
    auto queue = std::make_unique<CAsyncLoopThread>(
        [](CRunLoopSignal::Callback callback, void* context) { return std::make_unique<CRunLoopSignal>(callback, context); });
    double cpu = 0;
    uint64_t passes = 0;
    uint64_t frames = 0;
    {
        RoadWindow window(*queue, sink.Port(), shape);
        if (!window.Connect(peer.Port())) {
            state.SkipWithError("connect");
            return;
        }
        for (auto _ : state) {
            ServeMainThread(window, plat::NowUs() + kWarmUpUs, &passes);
            passes = 0;
            const uint64_t framesBefore = window.Frames();
            meter.Start();
            ServeMainThread(window, plat::NowUs() + kMeasureUs, &passes);
            cpu = meter.PercentSinceStart();
            frames = window.Frames() - framesBefore;
        }
    }
    queue->Stop();
    state.counters["cpu_pct"] = cpu;
    state.counters["passes_per_s"] = double(passes) * 1e6 / double(kMeasureUs);
    state.counters["frames_per_s"] = double(frames) * 1e6 / double(kMeasureUs);
}
BENCHMARK(BM_SampleRoad)->ArgNames({"channels", "n"})->Args({4, 1024})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// The yardstick: one thread polls the socket, parses with a plain byte loop into 4 rings and,
// every 1/60 s of the stream's time, runs the same analysis, fader mapping and OSC send.
class SingleLoop {
public:
    SingleLoop(uint16_t oscPort, const RoadShape& shape) : fShape(shape), fType(FindSourceType("")), fParser(fType)
    {
        fReady = fAnalyser.Setup(shape.channels, shape.order, 13) && fPlan.Setup(shape.order, CHanningWindow());
        for (uint32_t i = 0; i < kFaders; ++i)
            fFaders.push_back(FaderAt(i, shape.channels));
        fOscSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        fOscTo.sin_family = AF_INET;
        fOscTo.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        fOscTo.sin_port = htons(oscPort);
    }
    ~SingleLoop()
    {
        close(fOscSocket);
        if (fSocket >= 0)
            close(fSocket);
    }

    bool Connect(uint16_t port)
    {
        fSocket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        return fReady && connect(fSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }

    void RunUntil(uint64_t untilUs)
    {
        uint8_t buffer[4096];
        for (uint64_t nowUs; (nowUs = plat::NowUs()) < untilUs;) {
            pollfd item{fSocket, POLLIN, 0};
            if (poll(&item, 1, int((untilUs - nowUs) / 1000) + 1) <= 0)
                continue;
            const ssize_t n = recv(fSocket, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n <= 0)
                return;
            fParser.Parse(buffer, size_t(n), [this](const float* frame, uint32_t count) { Push(frame, count); });
        }
    }

    uint64_t passes = 0;
    uint64_t frames = 0;

private:
    void Push(const float* frame, uint32_t count)
    {
        for (uint32_t c = 0; c < count && c < fShape.channels; ++c)
            fAnalyser.Channel(c)->Push(frame[c]);
        if (count > fShape.ProbeChannel())
            ProbeSample(frame[fShape.ProbeChannel()]);
        ++frames;
        if (++fSinceLast >= kRate / kPassesPerSecond) {
            fSinceLast = 0;
            Pass();
        }
    }

    // Fader 0 follows the probe channel's newest sample, gated at half scale.
    void ProbeSample(float sample)
    {
        const CSourceChanInfo& info = fType->chan[fShape.ProbeChannel()];
        const float value = std::clamp(sample / info.faderSpan + info.faderOffset, 0.0f, 1.0f);
        const float y = MapFaderRange(kProbeGate, value);
        if (y != fOscValue[0]) {
            fOscValue[0] = y;
            fOscPending[0] = true;
        }
    }

    void Pass()
    {
        ++passes;
        for (uint32_t c = 0; c < fShape.channels; ++c) {
            CSpectrumChan& chan = *fAnalyser.Channel(c);
            (void)chan.LoadFFTInput(fPlan.windowTable, fPlan.fft);
            fPlan.fft.Transform(chan.fftBuffer, CFFT::Direction::Forward);
            chan.Power(fPlan.windowGain);
            chan.Magnitude();
        }
        const CPeakScale scale{false, uint8_t(fShape.order)};
        for (uint32_t i = 1; i < kFaders; ++i) {
            const FaderSetting& f = fFaders[i];
            const PlainLevels v =
                PlainFaderLevels(*fAnalyser.Channel(f.channel), f.low, f.high, CBandMeasure(f.measure), kRate,
                                 kQuietBand, scale);
            const float y = v.level;
            fLive[2 * i] = v.input;
            fLive[2 * i + 1] = y;
            if (y != fOscValue[i]) {
                fOscValue[i] = y;
                fOscPending[i] = true;
            }
        }
        SendNextOsc();
    }

    void SendNextOsc()
    {
        for (uint32_t k = 0; k < kFaders; ++k) {
            const uint32_t i = (fOscNext + k) % kFaders;
            if (!fOscPending[i])
                continue;
            fOscPending[i] = false;
            fOscNext = (i + 1) % kFaders;
            uint64_t length = 0;
            {
                CMemStream stream(fOscBuffer);
                WriteOscFloatMessage(stream, i == 0 ? kProbeAddress : fFaders[i].address, fOscValue[i]);
                length = stream.Length();
            }
            (void)sendto(fOscSocket, fOscBuffer.Data(), length, 0, reinterpret_cast<const sockaddr*>(&fOscTo),
                         sizeof fOscTo);
            return;
        }
    }

    RoadShape fShape;
    const CSourceType* fType;
    PlainLineParser fParser;
    CSpectrumAnalyser fAnalyser;
    CWindowedFFT fPlan;
    std::vector<FaderSetting> fFaders;
    float fLive[2 * kFaders] = {};
    float fOscValue[kFaders] = {};
    bool fOscPending[kFaders] = {};
    uint32_t fOscNext = 0;
    LByteBuffer fOscBuffer;
    uint32_t fSinceLast = 0;
    int fSocket = -1;
    int fOscSocket = -1;
    sockaddr_in fOscTo{};
    bool fReady = false;
};

void BM_SingleLoopRoad(benchmark::State& state)
{
    const RoadShape shape = ShapeOf(state);
    Peer peer(shape.channels);
    OscSink sink;
    CpuMeter meter(peer, sink);
    SingleLoop loop(sink.Port(), shape);
    if (!loop.Connect(peer.Port())) {
        state.SkipWithError("connect");
        return;
    }
    uint64_t passes = 0;
    uint64_t frames = 0;
    for (auto _ : state) {
        loop.RunUntil(plat::NowUs() + kWarmUpUs);
        const uint64_t passesBefore = loop.passes;
        const uint64_t framesBefore = loop.frames;
        const uint64_t linesBefore = peer.LinesSent();
        meter.Start();
        const uint64_t fromUs = plat::NowUs();
        loop.RunUntil(fromUs + kMeasureUs);
        ReportRoad(state, peer, sink, meter, linesBefore, fromUs, plat::NowUs());
        passes = loop.passes - passesBefore;
        frames = loop.frames - framesBefore;
    }
    state.counters["passes_per_s"] = double(passes) * 1e6 / double(kMeasureUs);
    state.counters["frames_per_s"] = double(frames) * 1e6 / double(kMeasureUs);
}
BENCHMARK(BM_SingleLoopRoad)->Apply(RoadShapes)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
