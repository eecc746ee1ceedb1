#pragma once
#include <cstdint>

// The keyboard's repeat timing in milliseconds, from the system's settings in ticks (sixtieths
// of a second).

// Delay before a held key starts repeating: at most 1000 ms.
int32_t KeyRepeatDelay(int32_t thresholdTicks);
// Time between repeats of a held key: at most 500 ms.
int32_t KeyRepeatInterval(int32_t repeatTicks);
