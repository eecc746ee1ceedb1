#pragma once
#include <cstdint>

namespace plat {

// The user's pointer settings. Until the desktop reports its own, a double click is two
// presses less than 500 ms apart.
uint32_t DoubleClickIntervalMs();
// Replaces the interval (the desktop's setting, or a test's).
void SetDoubleClickIntervalMs(uint32_t ms);

// The user's key-repeat settings in ticks (sixtieths of a second): how long a key is held
// before it repeats (30, half a second, by default) and the time between repeats (2 by default).
int32_t KeyRepeatDelayTicks();
int32_t KeyRepeatIntervalTicks();
// Replaces both (the desktop's settings, or a test's).
void SetKeyRepeatTicks(int32_t delayTicks, int32_t intervalTicks);

} // namespace plat
