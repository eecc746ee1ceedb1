#pragma once
#include <cstdint>

namespace plat {

// The user's pointer settings. Until the desktop reports its own, a double click is two
// presses less than 500 ms apart.
uint32_t DoubleClickIntervalMs();
// Replaces the interval (the desktop's setting, or a test's).
void SetDoubleClickIntervalMs(uint32_t ms);

} // namespace plat
