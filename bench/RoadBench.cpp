// The sample road end to end: 4 channels at 44.1 kHz of the line protocol arriving over
// loopback TCP in 1 ms chunks, analysed 60 times a second (N = 1024, Hann), 64 OSC faders.
// BM_SampleRoad composes the program's own classes (line source, async queue, descriptor
// watcher, spectrum channels, FFT, fader engine); BM_SingleLoopRoad is its yardstick, one
// thread doing the same work. Both report the CPU they take as a share of one core, the
// streaming peer's own thread left out.
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "bench/PlainFaderLevels.h"
#include "bench/PlainLineParser.h"
#include "bench/ProtocolText.h"
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

constexpr uint32_t kRate = 44100;
constexpr uint32_t kChannels = 4;
constexpr uint32_t kOrder = 10;
constexpr uint32_t kFaders = 64;
constexpr uint32_t kPassesPerSecond = 60;
constexpr uint64_t kWarmUpUs = 300000;
constexpr uint64_t kMeasureUs = 3000000;
constexpr uint16_t kOscPort = 39123;

uint64_t CpuUs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return uint64_t(t.tv_sec) * 1000000u + uint64_t(t.tv_nsec) / 1000u;
}

// The streaming device: accepts one connection and sends it the protocol text in 1 ms chunks
// on an absolute schedule, discarding what it receives.
class Peer {
public:
    Peer() : fText(ProtocolText(kRate))
    {
        fListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(fListen, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fListen, 1) != 0 ||
            getsockname(fListen, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        fPort = ntohs(address.sin_port);
        fThread = std::thread([this] { Serve(); });
        pthread_getcpuclockid(fThread.native_handle(), &fCpuClock);
    }
    ~Peer()
    {
        fStop.store(true);
        shutdown(fListen, SHUT_RDWR);
        if (fThread.joinable())
            fThread.join();
        close(fListen);
    }
    uint16_t Port() const { return fPort; }
    uint64_t CpuUs() const { return ::CpuUs(fCpuClock); }

private:
    void Serve()
    {
        const int s = accept(fListen, nullptr, nullptr);
        if (s < 0)
            return;
        // Each chunk leaves at once, as a device's packets arrive.
        const int one = 1;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        const size_t lineBytes = fText.size() / kRate;
        uint64_t sentLines = 0;
        const uint64_t startUs = plat::NowUs();
        char discard[256];
        for (uint64_t ms = 1; !fStop.load(); ++ms) {
            const uint64_t dueUs = startUs + ms * 1000;
            const uint64_t nowUs = plat::NowUs();
            if (dueUs > nowUs)
                plat::SleepUs(dueUs - nowUs);
            const uint64_t lines = ms * kRate / 1000 - sentLines;
            const uint64_t first = sentLines % kRate;
            const uint64_t inText = std::min<uint64_t>(lines, kRate - first);
            if (send(s, fText.data() + first * lineBytes, inText * lineBytes, MSG_NOSIGNAL) < 0 ||
                (lines > inText && send(s, fText.data(), (lines - inText) * lineBytes, MSG_NOSIGNAL) < 0))
                break;
            sentLines += lines;
            while (recv(s, discard, sizeof discard, MSG_DONTWAIT) > 0) {
            }
        }
        close(s);
    }

    std::string fText;
    int fListen = -1;
    uint16_t fPort = 0;
    std::atomic<bool> fStop{false};
    std::thread fThread;
    clockid_t fCpuClock = CLOCK_THREAD_CPUTIME_ID;
};

// A UDP socket on this machine that takes the OSC messages (unread: the kernel drops the
// surplus).
class OscSink {
public:
    OscSink()
    {
        fSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(kOscPort);
        (void)bind(fSocket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    ~OscSink() { close(fSocket); }

private:
    int fSocket = -1;
};

struct FaderSetting {
    float low, high;
    uint8_t measure, channel;
    std::string address;
};

FaderSetting FaderAt(uint32_t i)
{
    const float low = 40.0f + 150.0f * float(i);
    return {low, low + 300.0f, uint8_t(i % 3), uint8_t(i % kChannels), "/fader/" + std::to_string(i)};
}

// CPU share of one core between two snapshots, the peer's thread left out.
class CpuMeter {
public:
    explicit CpuMeter(const Peer& peer) : fPeer(peer) {}
    void Start()
    {
        fWallUs = plat::NowUs();
        fCpuUs = CpuUs(CLOCK_PROCESS_CPUTIME_ID) - fPeer.CpuUs();
    }
    double PercentSinceStart() const
    {
        const double cpu = double(CpuUs(CLOCK_PROCESS_CPUTIME_ID) - fPeer.CpuUs() - fCpuUs);
        return 100.0 * cpu / double(plat::NowUs() - fWallUs);
    }

private:
    const Peer& fPeer;
    uint64_t fWallUs = 0;
    uint64_t fCpuUs = 0;
};

// The road's window: pulls frames on "CSampleSrc_Data" into the channel rings (dispatch
// thread, queue lock held) and analyses on the main thread.
class RoadWindow : public LHandler {
public:
    explicit RoadWindow(CAsyncLoopThread& queue)
        : fQueue(queue), fDmx(nullptr, &queue, fRegistry), fEngine(queue, &fDmx, fDocument),
          fSource(this, &queue)
    {
        fReady = fAnalyser.Setup(kChannels, kOrder, 13) && fPlan.Setup(kOrder, CHanningWindow());
        for (uint32_t i = 0; i < kFaders; ++i) {
            const FaderSetting f = FaderAt(i);
            LObject* fader = fDocument.Fader(fDocument.AppendFader(nullptr));
            LObject::SetFloat(fader, nullptr, kFadrFrql, f.low, LObject::Merge::No);
            LObject::SetFloat(fader, nullptr, kFadrFrqh, f.high, LObject::Merge::No);
            LObject::SetByte(fader, nullptr, kFadrStyp, f.measure, LObject::Merge::No);
            LObject::SetByte(fader, nullptr, kFadrSchn, f.channel, LObject::Merge::No);
            LObject* params = fader->GetChild(kFadrCprm);
            CParamSet::SetValue(params, nullptr, "opt", LStringRef(std::to_string(kOscPort).c_str()));
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
            for (uint32_t c = 0; c < kChannels; ++c)
                (void)fAnalyser.Channel(c)->LoadFFTInput(fPlan.windowTable, fPlan.fft);
        }
        for (uint32_t c = 0; c < kChannels; ++c) {
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
        float frame[kChannels];
        uint64_t frames = 0;
        for (int32_t r; (r = fSource.Read(frame, kChannels)) != 0;) {
            if (r <= 0)
                continue;
            for (int32_t c = 0; c < r; ++c)
                fAnalyser.Channel(uint32_t(c))->Push(frame[c]);
            ++frames;
        }
        fFrames.fetch_add(frames, std::memory_order_relaxed);
    }

    CAsyncLoopThread& fQueue;
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
    Peer peer;
    OscSink sink;
    CpuMeter meter(peer);
    auto queue = std::make_unique<CAsyncLoopThread>(
        [](CRunLoopSignal::Callback callback, void* context) { return std::make_unique<CRunLoopSignal>(callback, context); });
    double cpu = 0;
    uint64_t passes = 0;
    uint64_t frames = 0;
    {
        RoadWindow window(*queue);
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
BENCHMARK(BM_SampleRoad)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// The yardstick: one thread polls the socket, parses with a plain byte loop into 4 rings and,
// every 1/60 s of the stream's time, runs the same analysis, fader mapping and OSC send.
class SingleLoop {
public:
    SingleLoop() : fParser(FindSourceType(""))
    {
        fReady = fAnalyser.Setup(kChannels, kOrder, 13) && fPlan.Setup(kOrder, CHanningWindow());
        for (uint32_t i = 0; i < kFaders; ++i)
            fFaders.push_back(FaderAt(i));
        fOscSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        fOscTo.sin_family = AF_INET;
        fOscTo.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        fOscTo.sin_port = htons(kOscPort);
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
        for (uint32_t c = 0; c < count && c < kChannels; ++c)
            fAnalyser.Channel(c)->Push(frame[c]);
        ++frames;
        if (++fSinceLast >= kRate / kPassesPerSecond) {
            fSinceLast = 0;
            Pass();
        }
    }

    void Pass()
    {
        ++passes;
        for (uint32_t c = 0; c < kChannels; ++c) {
            CSpectrumChan& chan = *fAnalyser.Channel(c);
            (void)chan.LoadFFTInput(fPlan.windowTable, fPlan.fft);
            fPlan.fft.Transform(chan.fftBuffer, CFFT::Direction::Forward);
            chan.Power(fPlan.windowGain);
            chan.Magnitude();
        }
        const CPeakScale scale{false, kOrder};
        for (uint32_t i = 0; i < kFaders; ++i) {
            const FaderSetting& f = fFaders[i];
            const PlainLevels v =
                PlainFaderLevels(*fAnalyser.Channel(f.channel), f.low, f.high, CBandMeasure(f.measure), kRate, {}, scale);
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
                WriteOscFloatMessage(stream, fFaders[i].address, fOscValue[i]);
                length = stream.Length();
            }
            (void)sendto(fOscSocket, fOscBuffer.Data(), length, 0, reinterpret_cast<const sockaddr*>(&fOscTo),
                         sizeof fOscTo);
            return;
        }
    }

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
    Peer peer;
    OscSink sink;
    CpuMeter meter(peer);
    SingleLoop loop;
    if (!loop.Connect(peer.Port())) {
        state.SkipWithError("connect");
        return;
    }
    double cpu = 0;
    uint64_t passes = 0;
    uint64_t frames = 0;
    for (auto _ : state) {
        loop.RunUntil(plat::NowUs() + kWarmUpUs);
        const uint64_t passesBefore = loop.passes;
        const uint64_t framesBefore = loop.frames;
        meter.Start();
        loop.RunUntil(plat::NowUs() + kMeasureUs);
        cpu = meter.PercentSinceStart();
        passes = loop.passes - passesBefore;
        frames = loop.frames - framesBefore;
    }
    state.counters["cpu_pct"] = cpu;
    state.counters["passes_per_s"] = double(passes) * 1e6 / double(kMeasureUs);
    state.counters["frames_per_s"] = double(frames) * 1e6 / double(kMeasureUs);
}
BENCHMARK(BM_SingleLoopRoad)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
