#include "platform/InputSettings.h"

#include <atomic>

namespace plat {

namespace {
std::atomic<uint32_t> gDoubleClickMs{500};
} // namespace

uint32_t DoubleClickIntervalMs() { return gDoubleClickMs.load(std::memory_order_relaxed); }
void SetDoubleClickIntervalMs(uint32_t ms) { gDoubleClickMs.store(ms, std::memory_order_relaxed); }

} // namespace plat
