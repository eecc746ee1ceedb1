// The data server's throughput to loopback clients and the line source's latency from a
// received line to the frame its window pulls.
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LAsyncTimer.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "platform/Clock.h"
#include "platform/runloop/RunLoop.h"
#include "shell/CAsyncLoopThread.h"
#include "sources/CSampleSrc.h"
#include "sources/lines/CLineTCPSrc.h"
#include "sources/ports/CIPAddress.h"
#include "sources/ports/CTCPPort.h"
#include "sources/server/CDataServer.h"
#include "ui/LTimer.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::unique_ptr<CAsyncLoopThread> MakeQueue()
{
    return std::make_unique<CAsyncLoopThread>(
        [](CRunLoopSignal::Callback callback, void* context) { return std::make_unique<CRunLoopSignal>(callback, context); });
}

// Runs this thread's run loop and main-thread timers until done() or 10 s passed.
bool Pump(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < end) {
        plat::RunLoop::Current().RunInMode(plat::kModeDefault, 1, false);
        for (;;) {
            const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
            if (msg.IsConsumed())
                break;
            LMessage::Send(msg);
        }
    }
    return done();
}

int ConnectLoopback(uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

class Sink : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage&) override { LMessage::Clear(result); }
};

// A client that reads as fast as it can and counts the line ends it received.
struct Reader {
    int fd = -1;
    std::atomic<uint64_t> lines{0};
    std::atomic<bool> stop{false};
    std::thread thread;

    void Run()
    {
        char buffer[65536];
        while (!stop.load(std::memory_order_relaxed)) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            uint64_t ends = 0;
            for (ssize_t i = 0; i < n; ++i)
                ends += buffer[i] == '\r';
            lines.fetch_add(ends, std::memory_order_relaxed);
        }
    }
};

// Broadcasts a batch of frames on the queue's thread every millisecond, as the window does
// when data arrives, until told to stop.
class Producer : public LHandler {
public:
    static constexpr int kBatch = 1024;

    Producer(CDataServer& server, LAsyncQueue* queue) : fServer(server), fTimer(this, queue) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (msg.subject == &fTimer && !stop.load(std::memory_order_acquire)) {
            const float frame[4] = {0.25f, -0.5f, 0.75f, 0.0f};
            for (int i = 0; i < kBatch; ++i)
                fServer.BroadcastSample(4, frame);
            fServer.Flush();
            batches.fetch_add(1, std::memory_order_release);
            fTimer.Start(1);
        }
        LMessage::Clear(result);
    }
    void Start() { fTimer.Start(0); }
    std::atomic<uint64_t> batches{0};
    std::atomic<bool> stop{false};

private:
    CDataServer& fServer;
    LAsyncTimer fTimer;
};

} // namespace

// Frames broadcast on the queue's thread, 1024 every millisecond (4 channels, 16-bit type),
// to N reading clients; delivered counts the lines the clients received, offered every line
// broadcast (the rest was lost for clients that could not keep up).
static void BM_DataServerToLoopbackClients(benchmark::State& state)
{
    const int clients = int(state.range(0));
    auto queue = MakeQueue();
    Sink window;
    uint64_t sent = 0;
    std::vector<std::unique_ptr<Reader>> readers;
    {
        CDataServer server(&window, queue.get());
        if (!server.Start(0)) {
            state.SkipWithError("no listening port");
            return;
        }
        for (int i = 0; i < clients; ++i) {
            auto reader = std::make_unique<Reader>();
            reader->fd = ConnectLoopback(uint16_t(server.LocalPort()));
            readers.push_back(std::move(reader));
            Pump([&] { return server.ClientCount() == uint32_t(i + 1); });
        }
        for (auto& r : readers)
            r->thread = std::thread([&r] { r->Run(); });
        server.SetFormat("generic_sound");
        server.SetRate(44100);
        const auto start = std::chrono::steady_clock::now();
        Producer producer(server, queue.get());
        producer.Start();
        for (auto _ : state) {
            const uint64_t before = producer.batches.load(std::memory_order_acquire);
            while (producer.batches.load(std::memory_order_acquire) == before)
                std::this_thread::yield();
        }
        producer.stop = true;
        {
            LAsyncQueueLock lock(*queue); // the last batch is over
        }
        sent = producer.batches.load() * Producer::kBatch;
        auto received = [&] {
            uint64_t total = 0;
            for (auto& r : readers)
                total += r->lines.load();
            return total;
        };
        // Let the clients take what is still on its way.
        uint64_t last = 0;
        do {
            last = received();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (received() != last);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["delivered_lines_per_s"] = double(received()) / seconds;
        state.counters["offered_lines_per_s"] = double(sent * uint64_t(clients)) / seconds;
        for (auto& r : readers)
            r->stop = true;
        for (auto& r : readers)
            r->thread.join();
        server.Stop();
    }
    for (auto& r : readers)
        ::close(r->fd);
    state.SetItemsProcessed(int64_t(sent) * clients);
    queue->Stop();
}
BENCHMARK(BM_DataServerToLoopbackClients)->Arg(1)->Arg(4)->Arg(16)->UseRealTime()->Unit(benchmark::kMicrosecond);

namespace {

// Pulls frames when told and notes the time of the last one.
class PullingWindow : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (source && msg.subject == source && StrEqual(msg.type, CSampleSrc::msgData)) {
            float frame[8];
            int32_t n;
            while ((n = source->Read(frame, 8)) != 0)
                if (n > 0)
                    frames.fetch_add(1, std::memory_order_release);
        }
        LMessage::Clear(result);
    }
    CSampleSrc* source = nullptr;
    std::atomic<uint64_t> frames{0};
};

} // namespace

// From a device's send of one sample line to the window holding its frame.
static void BM_LineSourceReceiveToFrame(benchmark::State& state)
{
    auto queue = MakeQueue();
    PullingWindow window;
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(listener, 1);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &length);
    {
        CLineTCPSrc source(&window, queue.get());
        window.source = &source;
        if (source.Connect(CIPAddress(0x7F000001, ntohs(a.sin_port))) != 0) {
            state.SkipWithError("no connection");
            return;
        }
        const int device = ::accept(listener, nullptr, nullptr);
        const int one = 1;
        ::setsockopt(device, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one); // no batching of lines
        Pump([&] { return source.Port()->State() == CTCPPort::kConnected && !source.Port()->CanReceive(); });
        const char line[] = "3ff 200\r\n";
        for (auto _ : state) {
            const uint64_t before = window.frames.load(std::memory_order_acquire);
            if (::send(device, line, sizeof line - 1, MSG_NOSIGNAL) < 0)
                break;
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (window.frames.load(std::memory_order_acquire) == before && std::chrono::steady_clock::now() < end)
                std::this_thread::yield();
        }
        ::close(device);
        window.source = nullptr;
    }
    ::close(listener);
    queue->Stop();
}
BENCHMARK(BM_LineSourceReceiveToFrame)->UseRealTime()->Unit(benchmark::kMicrosecond);
