#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// A time of day as hours, minutes, seconds and frames, counted in a frame mode: 1 (whole
// seconds, no frames), 24, 25, 30 or 100 frames a second, or 29 (29.97 frames a second with
// drop-frame labels: frames 0 and 1 are skipped at the start of every minute that is not a
// multiple of ten). Conversions count in `units` per second.
struct Timecode {
    static constexpr uint32_t kSeconds = 1;
    static constexpr uint32_t kDropFrame = 29;
    static constexpr uint32_t kHundredths = 100;
    static constexpr int64_t kDaySeconds = 86400;

    uint32_t mode = kSeconds;
    uint8_t hours = 0;
    uint8_t minutes = 0;
    uint8_t seconds = 0;
    uint8_t frames = 0;

    // Nominal frames a second: 1, 24, 25 and 100 as named; 29, 30 and any other mode 30.
    static uint32_t Rate(uint32_t mode);
    // The time in units (u per second); drop-frame labels count real 29.97 frames.
    static int64_t ToFrames(const Timecode& tc, int64_t units);
    // Splits n units (u per second), wrapped into one day, into the fields of tc.mode.
    static void FromFrames(Timecode& tc, int64_t n, int64_t units);
    // "hh:mm:ss", then ":ff" (mode 100: ".ff") unless the mode is 1.
    static std::string Format(const Timecode& tc);
    // Reads "[-]h:m:s:f" into tc (its mode given); answers the sign, -1 or +1. Every number
    // saturates and the total keeps within maxSeconds (at most one day less a millisecond).
    static int32_t Parse(std::string_view text, Timecode& tc, double maxSeconds = double(kDaySeconds));

    bool operator==(const Timecode&) const = default;
};
