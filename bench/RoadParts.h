#pragma once
// What the end-to-end road benchmarks share: the streaming peer (1 to 4 channels at 44.1 kHz of
// the line protocol over loopback TCP in 1 ms chunks), the OSC sink that times the probe fader's
// datagrams, the fader settings, the shapes of the work (channels, FFT length) and CPU clocks.
//
// The last channel is the probe: it steps between 0 and full scale every kProbeLines lines. A
// time-domain fader gated at half scale follows it, so each step causes exactly one OSC
// datagram; the band faders' outputs are mapped to a constant and send nothing after their
// first value. The time from the step's arrival to its datagram is the road's latency.
#include "platform/Clock.h"

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
#include <bit>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace road {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kMaxChannels = 4;
constexpr uint32_t kFaders = 64;
constexpr uint32_t kPassesPerSecond = 60;
// A step every 71 ms: not a whole number of the yardstick's 735-line passes, so the steps
// fall at different points of a pass.
constexpr uint32_t kProbeLines = 3150;
constexpr uint32_t kProbeHigh = 0x3FF;         // full scale of the default 10-bit type
constexpr const char* kProbeAddress = "/probe";

inline uint64_t CpuUs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return uint64_t(t.tv_sec) * 1000000u + uint64_t(t.tv_nsec) / 1000u;
}

// A socket of `type` bound to a free loopback port, which `port` receives; -1 on failure.
inline int LoopbackSocket(int type, uint16_t& port)
{
    const int s = socket(AF_INET, type | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (s >= 0)
            close(s);
        return -1;
    }
    port = ntohs(address.sin_port);
    return s;
}

// The probe channel's level at line `line`: 0 or 1.
inline uint32_t ProbeLevel(uint64_t line)
{
    return uint32_t((line / kProbeLines) % 2);
}

// The work of one run: how many channels the stream carries and the program analyses (1 to
// 4), and the FFT length N = 2^order.
struct RoadShape {
    uint32_t channels = kMaxChannels;
    uint32_t order = 10;
    uint32_t ProbeChannel() const { return channels - 1; }
};

// The shape given as the benchmark's two arguments: channels and N.
inline RoadShape ShapeOf(const benchmark::State& state)
{
    RoadShape shape;
    shape.channels = uint32_t(std::clamp<int64_t>(state.range(0), 1, kMaxChannels));
    shape.order = uint32_t(std::bit_width(uint64_t(std::max<int64_t>(state.range(1), 2))) - 1);
    return shape;
}

// The shapes the road benchmarks run: the document's (4 channels, N = 1024), then fewer
// channels and other lengths, so that the growth of the cost with the work shows.
inline void RoadShapes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"channels", "n"});
    b->Args({4, 1024})->Args({1, 1024})->Args({2, 1024})->Args({4, 256})->Args({4, 8192});
}

// One second of the stream: fixed-width lines, the channels before the last ramps, the last
// the probe. A whole number of probe periods fits in it, so repeating it keeps the steps regular.
inline std::string RoadText(uint32_t channels)
{
    static_assert(kRate % (2 * kProbeLines) == 0);
    static const unsigned kSteps[] = {7, 13, 29};
    std::string text;
    char field[8];
    for (uint32_t i = 0; i < kRate; ++i) {
        for (uint32_t c = 0; c + 1 < channels; ++c) {
            std::snprintf(field, sizeof field, "%04x ", unsigned(i * kSteps[c % 3]) & 0xFFFF);
            text += field;
        }
        std::snprintf(field, sizeof field, "%04x\r\n", ProbeLevel(i) ? kProbeHigh : 0u);
        text += field;
    }
    return text;
}

// A probe step: when the chunk holding its first line was handed to the socket.
struct Step {
    uint64_t us;
    uint32_t level;
};

// Steps noted by one thread and read by another.
class StepLog {
public:
    void Add(Step step)
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fSteps.push_back(step);
    }
    std::vector<Step> Copy() const
    {
        std::lock_guard<std::mutex> lock(fMutex);
        return fSteps;
    }

private:
    mutable std::mutex fMutex;
    std::vector<Step> fSteps;
};

// A loopback socket served by a thread of its own, whose CPU the road's figures leave out.
// The derived class starts the thread once it is made and calls Stop before it goes.
class SocketThread {
public:
    uint16_t Port() const { return fPort; }
    uint64_t CpuUs() const { return road::CpuUs(fCpuClock); }

protected:
    explicit SocketThread(int type) { fSocket = LoopbackSocket(type, fPort); }
    ~SocketThread()
    {
        if (fSocket >= 0)
            close(fSocket);
    }
    template <class Body>
    void Begin(Body body)
    {
        fThread = std::thread(body);
        pthread_getcpuclockid(fThread.native_handle(), &fCpuClock);
    }
    void Stop()
    {
        fStop.store(true);
        if (fSocket >= 0)
            shutdown(fSocket, SHUT_RDWR);
        if (fThread.joinable())
            fThread.join();
    }

    int fSocket = -1;
    uint16_t fPort = 0;
    std::atomic<bool> fStop{false};

private:
    std::thread fThread;
    clockid_t fCpuClock = CLOCK_THREAD_CPUTIME_ID;
};

// The streaming device: accepts one connection and sends it the stream in 1 ms chunks on an
// absolute schedule, discarding what it receives, and logs when each probe step left.
class Peer : public SocketThread {
public:
    explicit Peer(uint32_t channels = kMaxChannels) : SocketThread(SOCK_STREAM), fText(RoadText(channels))
    {
        if (fSocket >= 0 && listen(fSocket, 1) == 0)
            Begin([this] { Serve(); });
        else
            fPort = 0;
    }
    ~Peer() { Stop(); }
    uint64_t LinesSent() const { return fLines.load(); }
    std::vector<Step> Steps() const { return fSteps.Copy(); }

private:
    void Serve()
    {
        const int s = accept(fSocket, nullptr, nullptr);
        if (s < 0)
            return;
        // Each chunk leaves at once, as a device's packets arrive.
        const int one = 1;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        const size_t lineBytes = fText.size() / kRate;
        uint64_t sent = 0;
        const uint64_t startUs = plat::NowUs();
        char discard[256];
        for (uint64_t ms = 1; !fStop.load(); ++ms) {
            const uint64_t dueUs = startUs + ms * 1000;
            const uint64_t nowUs = plat::NowUs();
            if (dueUs > nowUs)
                plat::SleepUs(dueUs - nowUs);
            const uint64_t end = ms * kRate / 1000;
            for (uint64_t line = sent; line < end;) {
                const uint64_t first = line % kRate;
                const uint64_t count = std::min<uint64_t>(end - line, kRate - first);
                if (send(s, fText.data() + first * lineBytes, count * lineBytes, MSG_NOSIGNAL) < 0) {
                    close(s);
                    return;
                }
                line += count;
            }
            const uint64_t stepLine = (end - 1) / kProbeLines * kProbeLines;
            if (stepLine >= sent && stepLine > 0)
                fSteps.Add({plat::NowUs(), ProbeLevel(stepLine)});
            sent = end;
            fLines.store(sent);
            while (recv(s, discard, sizeof discard, MSG_DONTWAIT) > 0) {
            }
        }
        close(s);
    }

    std::string fText;
    std::atomic<uint64_t> fLines{0};
    StepLog fSteps;
};

// A UDP socket on this machine that takes the OSC messages: a thread notes when each probe
// datagram arrived and the level it carries.
class OscSink : public SocketThread {
public:
    OscSink() : SocketThread(SOCK_DGRAM)
    {
        if (fSocket >= 0)
            Begin([this] { Receive(); });
    }
    ~OscSink() { Stop(); }
    uint64_t Datagrams() const { return fDatagrams.load(); }
    std::vector<Step> Arrivals() const { return fArrivals.Copy(); }

private:
    void Receive()
    {
        // "/probe" padded to 8 bytes, ",f" padded to 4, then the big-endian float.
        constexpr size_t kProbeBytes = 16;
        uint8_t buffer[1500];
        while (!fStop.load()) {
            pollfd item{fSocket, POLLIN, 0};
            if (poll(&item, 1, 20) <= 0)
                continue;
            const ssize_t n = recv(fSocket, buffer, sizeof buffer, MSG_DONTWAIT);
            const uint64_t nowUs = plat::NowUs();
            if (n <= 0)
                continue;
            fDatagrams.fetch_add(1);
            if (size_t(n) != kProbeBytes || std::strcmp(reinterpret_cast<const char*>(buffer), kProbeAddress) != 0)
                continue;
            uint32_t bits = 0;
            std::memcpy(&bits, buffer + 12, 4);
            bits = ntohl(bits);
            float value = 0;
            std::memcpy(&value, &bits, 4);
            fArrivals.Add({nowUs, value > 0.5f ? 1u : 0u});
        }
    }

    std::atomic<uint64_t> fDatagrams{0};
    StepLog fArrivals;
};

// Step-to-datagram delays of the steps that left in [fromUs, toUs): each datagram answers
// the latest step of its level not answered before it.
struct Latency {
    double medianUs = 0;
    double p99Us = 0;
    size_t answered = 0;
    size_t steps = 0;
};

inline Latency MeasureLatency(const std::vector<Step>& steps, const std::vector<Step>& arrivals, uint64_t fromUs,
                              uint64_t toUs)
{
    std::vector<double> delays;
    Latency result;
    size_t next = 0;   // the first step not yet answered
    for (const Step& arrival : arrivals) {
        size_t match = steps.size();
        for (size_t i = next; i < steps.size() && steps[i].us <= arrival.us; ++i)
            if (steps[i].level == arrival.level)
                match = i;
        if (match == steps.size())
            continue;
        next = match + 1;
        if (steps[match].us >= fromUs && steps[match].us < toUs)
            delays.push_back(double(arrival.us - steps[match].us));
    }
    for (const Step& step : steps)
        result.steps += step.us >= fromUs && step.us < toUs;
    result.answered = delays.size();
    if (delays.empty())
        return result;
    std::sort(delays.begin(), delays.end());
    result.medianUs = delays[delays.size() / 2];
    result.p99Us = delays[std::min(delays.size() - 1, (delays.size() * 99 + 99) / 100 - 1)];
    return result;
}

// A band fader's settings: 300 Hz wide bands 150 Hz apart, the measures in turn, the channels
// in turn.
struct FaderSetting {
    float low, high;
    uint8_t measure, channel;
    std::string address;
};

inline FaderSetting FaderAt(uint32_t i, uint32_t channels)
{
    const float low = 40.0f + 150.0f * float(i);
    return {low, low + 300.0f, uint8_t(i % 3), uint8_t(i % channels), "/fader/" + std::to_string(i)};
}

// CPU time of the process between two snapshots, the helper threads (peer, sink) left out.
class CpuMeter {
public:
    CpuMeter(const Peer& peer, const OscSink& sink) : fPeer(peer), fSink(sink) {}
    void Start()
    {
        fWallUs = plat::NowUs();
        fCpuUs = Own();
    }
    double CpuSeconds() const { return double(Own() - fCpuUs) * 1e-6; }
    double WallSeconds() const { return double(plat::NowUs() - fWallUs) * 1e-6; }
    double PercentSinceStart() const { return 100.0 * CpuSeconds() / WallSeconds(); }

private:
    uint64_t Own() const { return CpuUs(CLOCK_PROCESS_CPUTIME_ID) - fPeer.CpuUs() - fSink.CpuUs(); }

    const Peer& fPeer;
    const OscSink& fSink;
    uint64_t fWallUs = 0;
    uint64_t fCpuUs = 0;
};

// The figures every road benchmark reports for its measured span [fromUs, toUs): CPU as a
// share of one core and as seconds per second of signal, and the probe's step-to-datagram
// delays. A step in the last 300 ms may not have been answered yet and is left out.
inline void ReportRoad(benchmark::State& state, const Peer& peer, const OscSink& sink, const CpuMeter& meter,
                       uint64_t linesBefore, uint64_t fromUs, uint64_t toUs)
{
    constexpr uint64_t kAnswerUs = 300000;
    const double signalSeconds = double(peer.LinesSent() - linesBefore) / double(kRate);
    state.counters["cpu_pct"] = meter.PercentSinceStart();
    state.counters["cpu_s_per_signal_s"] = signalSeconds > 0 ? meter.CpuSeconds() / signalSeconds : 0.0;
    const Latency latency = MeasureLatency(peer.Steps(), sink.Arrivals(), fromUs, toUs - kAnswerUs);
    state.counters["latency_median_us"] = latency.medianUs;
    state.counters["latency_p99_us"] = latency.p99Us;
    state.counters["probe_steps"] = double(latency.steps);
    state.counters["probe_answered"] = double(latency.answered);
}

} // namespace road
