#pragma once
#include "analysis/CSpectrumChan.h"
#include "outputs/faders/FaderLevel.h"

#include <cmath>
#include <cstdint>

// A band fader's input and mapped level computed straight from plain values, as the
// yardsticks of the fader engine do.
struct PlainLevels {
    float input = 0.0f;
    float level = 0.0f;
};

inline PlainLevels PlainFaderLevels(const CSpectrumChan& chan, float lowHz, float highHz, CBandMeasure measure,
                                    uint32_t rate, const CFaderRanges& ranges, CPeakScale peakScale)
{
    const CBandBins bins = BandBins(1.0f, lowHz, highHz, chan.FFTSize(), rate, uint32_t(chan.magnitude.size()));
    float x = BandLevel(chan.magnitude, bins, measure, false, peakScale);
    x = std::isfinite(x) ? x : 0.0f;
    return {x, MapFaderRange(ranges, x)};
}
