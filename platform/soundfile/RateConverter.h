#pragma once
#include <cstdint>

namespace plat {

// Changes the rate of a stream of interleaved 16-bit stereo frames. A playback rate of 2.0
// plays twice as fast: it consumes two input frames for every output frame.
class RateConverter {
public:
    RateConverter();
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    bool IsValid() const { return fState != nullptr; }
    // Forgets buffered input (after a seek).
    void Reset();

    // Converts at `playbackRate` (clamped to 1/256 .. 256); returns how much input was
    // consumed and how much output made. `endOfInput` flushes what the converter holds.
    struct Result {
        long consumed = 0;
        long produced = 0;
        bool ok = false;
    };
    Result Process(const int16_t* in, long inFrames, int16_t* out, long outFrames, double playbackRate,
        bool endOfInput = false);

private:
    void* fState = nullptr;
    float* fIn = nullptr;
    float* fOut = nullptr;
    long fInCapacity = 0;
    long fOutCapacity = 0;
};

} // namespace plat
