#include "platform/system/InputSettings.h"

#include <atomic>

namespace plat {

namespace {
std::atomic<uint32_t> gDoubleClickMs{500};
std::atomic<int32_t> gKeyRepeatDelayTicks{30};
std::atomic<int32_t> gKeyRepeatIntervalTicks{2};
} // namespace

uint32_t DoubleClickIntervalMs() { return gDoubleClickMs.load(std::memory_order_relaxed); }
void SetDoubleClickIntervalMs(uint32_t ms) { gDoubleClickMs.store(ms, std::memory_order_relaxed); }

int32_t KeyRepeatDelayTicks() { return gKeyRepeatDelayTicks.load(std::memory_order_relaxed); }
int32_t KeyRepeatIntervalTicks() { return gKeyRepeatIntervalTicks.load(std::memory_order_relaxed); }

void SetKeyRepeatTicks(int32_t delayTicks, int32_t intervalTicks)
{
    gKeyRepeatDelayTicks.store(delayTicks, std::memory_order_relaxed);
    gKeyRepeatIntervalTicks.store(intervalTicks, std::memory_order_relaxed);
}

} // namespace plat
