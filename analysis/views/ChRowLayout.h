#pragma once
#include <cstdint>

// The layout parameters the channel list hands every row: where the spectrum pane ends and
// the waveform pane begins, the widths of the two axis-text columns, and whether the spectrum
// header stands in thirds (decibel mode).
struct ChRowLayout {
    int32_t specr = 100;
    int32_t rawsl = 100;
    int32_t spechdrw = 0;
    int32_t rawshdrw = 0;
    uint8_t thirdRow = 0;
};
