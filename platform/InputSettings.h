#pragma once
#include <cstdint>

namespace plat {

// The user's keyboard and mouse timing: how long a key is held before it repeats and how
// fast it repeats (in ticks, sixtieths of a second), and the longest time between the two
// clicks of a double click (ms).
struct InputSettings {
    int32_t keyRepeatDelayTicks = 30;   // 500 ms
    int32_t keyRepeatIntervalTicks = 2; // 33 ms
    uint32_t doubleClickMs = 400;
};

// The settings in force: the desktop defaults unless a test or the program set others.
InputSettings CurrentInputSettings();
void SetInputSettings(const InputSettings& settings);

} // namespace plat
