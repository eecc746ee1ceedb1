#pragma once
#include <cstdint>
#include <span>

// The arithmetic of faders: rounding, the range mapping, the level of a band value and the
// four band measures. Every result is a finite number; a zero denominator gives 0.

// Round to nearest, halves away from zero, as the outputs take their integers:
// trunc(x + copysign(0.49999997, x)) in single precision (the sum of a half and that
// constant rounds up to the next integer). Non-finite input gives 0; the result is clamped
// to the 32-bit range.
int32_t FaderRound(float x);

// The input and output ranges of a fader.
struct CFaderRanges {
    float ampl = 0.0f;  // input low
    float amph = 1.0f;  // input high
    float fdrl = 0.0f;  // output low
    float fdrh = 1.0f;  // output high
};

// Maps an input value through the ranges. With amph > ampl the value is clamped to the
// input range and scaled onto the output range (a reversed output range inverts it); with an
// empty or reversed input range the fader is a switch: fdrl below ampl, fdrh at or above.
// A result that is not finite (infinite range ends) becomes 0.
float MapFaderRange(const CFaderRanges& ranges, float value);

// The level of a band value x >= 0. In decibel mode: (clamp(8.68588 ln x, -100, 0) + 100) / 100
// with ln x taken in single precision; else clamp(x, 0, 1). NaN gives 0.
float PowerToLevel(float x, bool decibels);

// Source types of band faders.
enum class CBandMeasure : uint8_t { Sum = 0, Maximum = 1, Mean = 2, PeakPosition = 3 };

// The bins lo .. hi-1 of a band [lowHz, highHz) for an N-point transform at `rate` with the
// source type's frequency factor; both ends lie in 0 .. binCount. An empty band (lo >= hi)
// comes out for a zero or non-finite rate or bounds.
struct CBandBins {
    uint32_t lo = 0;
    uint32_t hi = 0;
};
CBandBins BandBins(float factor, float lowHz, float highHz, uint32_t fftSize, uint32_t rate,
                   uint32_t binCount);

// How a peak position is spread: linearly over the band, or on the logarithmic frequency axis
// of an FFT of 2^order points.
struct CPeakScale {
    bool logFrequency = false;
    uint32_t fftOrder = 8;
};

// The level of a band of magnitudes: the sum, maximum and mean go through PowerToLevel; the
// peak position is the first greatest bin's place in the band, 0 at lo and 1 at hi-1.
float BandLevel(std::span<const float> magnitudes, CBandBins bins, CBandMeasure measure, bool decibels,
                CPeakScale peakScale);
