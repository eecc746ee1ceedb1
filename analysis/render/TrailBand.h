#pragma once
#include <cstdint>

class CBandList;

// Maps band indexes to bin ranges for one FFT size and sample rate.
struct TrailBand {
    const CBandList* bands = nullptr;
    uint32_t highestBin = 0;  // exclusive
    float halfRate = 0.0f;    // Hz
    float binsPerHz = 0.0f;   // N / rate

    // The bins lo .. hi (hi exclusive, at most highestBin) of band b; false when the band does
    // not exist or its low frequency is not below half the rate.
    bool ToBins(uint32_t b, uint32_t& lo, uint32_t& hi) const;
};
