#include "foundation/async/LAsyncSignal.h"
#include "platform/Clock.h"
#include "shell/CAsyncLoopThread.h"

#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

std::unique_ptr<CAsyncLoopThread> MakeQueue()
{
    return std::make_unique<CAsyncLoopThread>(
        [](CRunLoopSignal::Callback callback, void* context) { return std::make_unique<CRunLoopSignal>(callback, context); });
}

// Notes the time and count of every delivery it receives.
class DeliveryCounter : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage&) override
    {
        deliveredUs.store(plat::NowUs(), std::memory_order_relaxed);
        delivered.fetch_add(1, std::memory_order_release);
        LMessage::Clear(result);
    }
    std::atomic<uint64_t> deliveredUs{0};
    std::atomic<uint64_t> delivered{0};
};

double Percentile(std::vector<double>& samples, double fraction)
{
    if (samples.empty())
        return 0;
    const size_t index = std::min(samples.size() - 1, size_t(fraction * double(samples.size())));
    std::nth_element(samples.begin(), samples.begin() + long(index), samples.end());
    return samples[index];
}

// Time from a post on this thread to the start of its delivery on the dispatch thread, each
// post made `pauseUs` after the previous delivery.
void MeasurePostToDelivery(benchmark::State& state, uint64_t pauseUs)
{
    auto queue = MakeQueue();
    DeliveryCounter counter;
    {
        LAsyncSignal signal(&counter, queue.get());
        std::vector<double> latenciesUs;
        for (auto _ : state) {
            if (pauseUs > 0)
                plat::SleepUs(pauseUs);
            const uint64_t before = counter.delivered.load(std::memory_order_acquire);
            const uint64_t postedUs = plat::NowUs();
            signal.Post();
            while (counter.delivered.load(std::memory_order_acquire) == before)
                std::this_thread::yield();
            const double us = double(counter.deliveredUs.load(std::memory_order_relaxed) - postedUs);
            latenciesUs.push_back(us);
            state.SetIterationTime(us / 1e6);
        }
        state.counters["median_us"] = Percentile(latenciesUs, 0.5);
        state.counters["p99_us"] = Percentile(latenciesUs, 0.99);
    }
    queue->Stop();
}

// Long enough for the woken thread to be back asleep in its wait before the next post.
constexpr uint64_t kAsleepUs = 300;

} // namespace

static void BM_SignalPostToDelivery(benchmark::State& state) { MeasurePostToDelivery(state, 0); }
BENCHMARK(BM_SignalPostToDelivery)->UseManualTime()->Iterations(20000);

// Deliveries per second while one thread posts 64 different signals as fast as it can.
static void BM_SignalsDeliveredPerSecond(benchmark::State& state)
{
    constexpr int kSignals = 64;
    auto queue = MakeQueue();
    DeliveryCounter counter;
    {
        std::vector<std::unique_ptr<LAsyncSignal>> signals;
        for (int i = 0; i < kSignals; ++i)
            signals.push_back(std::make_unique<LAsyncSignal>(&counter, queue.get()));
        const uint64_t start = counter.delivered.load();
        for (auto _ : state)
            for (auto& signal : signals)
                signal->Post();
        // Let the queue catch up so that every delivery is counted.
        while (std::any_of(signals.begin(), signals.end(), [](const auto& s) { return s->IsPosted(); }))
            std::this_thread::yield();
        state.SetItemsProcessed(int64_t(counter.delivered.load() - start));
    }
    queue->Stop();
}
BENCHMARK(BM_SignalsDeliveredPerSecond)->UseRealTime();

// Post to delivery with the dispatch thread asleep in its wait, as every arriving chunk of
// a live source finds it. Judged against BM_EventfdWakeAsleep.
static void BM_SignalPostToDeliveryAsleep(benchmark::State& state) { MeasurePostToDelivery(state, kAsleepUs); }
BENCHMARK(BM_SignalPostToDeliveryAsleep)->UseManualTime()->Iterations(3000);

// The yardstick of the above: a bare eventfd write waking a thread blocked in poll.
static void BM_EventfdWakeAsleep(benchmark::State& state)
{
    const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    std::atomic<uint64_t> wokenUs{0};
    std::atomic<uint64_t> woken{0};
    std::atomic<bool> stop{false};
    std::thread waiter([&] {
        while (!stop.load(std::memory_order_acquire)) {
            pollfd item{fd, POLLIN, 0};
            if (poll(&item, 1, -1) <= 0)
                continue;
            uint64_t count = 0;
            (void)!read(fd, &count, sizeof count);
            wokenUs.store(plat::NowUs(), std::memory_order_relaxed);
            woken.fetch_add(1, std::memory_order_release);
        }
    });
    std::vector<double> latenciesUs;
    for (auto _ : state) {
        plat::SleepUs(kAsleepUs);
        const uint64_t before = woken.load(std::memory_order_acquire);
        const uint64_t postedUs = plat::NowUs();
        const uint64_t one = 1;
        (void)!write(fd, &one, sizeof one);
        while (woken.load(std::memory_order_acquire) == before)
            std::this_thread::yield();
        const double us = double(wokenUs.load(std::memory_order_relaxed) - postedUs);
        latenciesUs.push_back(us);
        state.SetIterationTime(us / 1e6);
    }
    state.counters["median_us"] = Percentile(latenciesUs, 0.5);
    state.counters["p99_us"] = Percentile(latenciesUs, 0.99);
    stop.store(true, std::memory_order_release);
    const uint64_t one = 1;
    (void)!write(fd, &one, sizeof one);
    waiter.join();
    close(fd);
}
BENCHMARK(BM_EventfdWakeAsleep)->UseManualTime()->Iterations(3000);
