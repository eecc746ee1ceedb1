#include "platform/runloop/RunLoopDriver.h"

#include "platform/Clock.h"

namespace plat {

size_t RunLoopDriver::RunUntilIdle(size_t maxPasses)
{
    size_t total = 0;
    for (size_t pass = 0; pass < maxPasses; ++pass) {
        const size_t ran = fLoop.RunPending(fMode);
        if (ran == 0)
            break;
        total += ran;
    }
    return total;
}

size_t RunLoopDriver::RunForMs(VirtualClock& clock, uint64_t ms)
{
    const uint64_t endMs = clock.NowMs() + ms;
    size_t total = RunUntilIdle();
    // Bounded, so that a timer that keeps re-arming itself for "now" cannot hang a test.
    for (int step = 0; step < 100000; ++step) {
        const std::optional<uint64_t> next = fLoop.NextFireTime(fMode);
        if (!next || *next > endMs)
            break;
        if (*next > clock.NowMs())
            clock.SetUs(*next * 1000);
        total += RunUntilIdle();
    }
    if (endMs > clock.NowMs())
        clock.SetUs(endMs * 1000);
    return total + RunUntilIdle();
}

} // namespace plat
