#pragma once
#include <cstdint>

// The millisecond clock of every timer: a 32-bit count that wraps around, so times are only
// ever compared by their signed 32-bit difference.
class LTicks {
public:
    // The platform clock in milliseconds, rounded to the nearest, truncated to 32 bits.
    static uint32_t Now();
    // Sleeps the calling thread until ms milliseconds have passed since the call.
    static void SleepFor(const uint32_t& ms);
    // later - earlier as a signed 32-bit difference, right across the wrap-around.
    static int32_t Diff(uint32_t later, uint32_t earlier) { return int32_t(later - earlier); }
};
