#include "outputs/faders/FaderLevel.h"
#include "foundation/core/RoundHalfAway.h"

#include <algorithm>
#include <cmath>

namespace {

float FiniteOrZero(double x)
{
    return std::isfinite(x) ? static_cast<float>(x) : 0.0f;
}

// A bin index from a frequency in bins, rounded as the outputs round, kept within 0 .. limit.
uint32_t BinIndex(float bins, uint32_t limit)
{
    if (!std::isfinite(bins) || bins <= 0.0f)
        return 0;
    if (bins >= float(limit) + 1.0f)
        return limit;
    return std::min<uint32_t>(uint32_t(std::max(0, FaderRound(bins))), limit);
}

// Position on the logarithmic frequency axis: max(0, 1 + ln(k / H) / ln H).
double LogPosition(uint32_t k, double half, double lnHalf)
{
    return std::max(0.0, 1.0 + std::log(double(k) / half) / lnHalf);
}

float PeakPosition(std::span<const float> m, CBandBins bins, CPeakScale scale)
{
    if (bins.lo + 1 >= bins.hi)
        return 0.0f;
    uint32_t peak = bins.lo;
    float best = 0.0f;
    for (uint32_t k = bins.lo; k < bins.hi; ++k) {
        if (m[k] > best) {
            best = m[k];
            peak = k;
        }
    }
    if (!scale.logFrequency)
        return float(double(peak - bins.lo) / double(bins.hi - 1 - bins.lo));
    const uint32_t order = std::min<uint32_t>(scale.fftOrder, 62);
    const double half = double((uint64_t{1} << order) / 2);
    if (half <= 1.0)
        return 0.0f;  // ln H is 0: the axis has no extent
    const double lnHalf = std::log(half);
    const double low = LogPosition(bins.lo, half, lnHalf);
    const double span = LogPosition(bins.hi - 1, half, lnHalf) - low;
    if (!(span > 0.0))
        return 0.0f;
    return FiniteOrZero((LogPosition(peak, half, lnHalf) - low) / span);
}

} // namespace

int32_t FaderRound(float x)
{
    if (!std::isfinite(x))
        return 0;
    const float r = RoundHalfAway(x);
    if (r >= 2147483647.0f)
        return 2147483647;
    return r <= -2147483648.0f ? int32_t(-2147483647 - 1) : int32_t(r);
}

float MapFaderRange(const CFaderRanges& r, float value)
{
    double y;
    if (r.amph > r.ampl) {
        const double v = std::clamp(double(value), double(r.ampl), double(r.amph));
        y = (v - r.ampl) * (double(r.fdrh) - r.fdrl) / (double(r.amph) - r.ampl) + r.fdrl;
    } else {
        y = r.ampl > value ? r.fdrl : r.fdrh;
    }
    return FiniteOrZero(y);
}

float PowerToLevel(float x, bool decibels)
{
    if (std::isnan(x))
        return 0.0f;
    if (!decibels)
        return std::clamp(x, 0.0f, 1.0f);
    const float ln = std::log(x);  // single precision, as the level scale is defined
    const double db = std::isnan(ln) ? -100.0 : std::clamp(8.68588 * double(ln), -100.0, 0.0);
    return float((db + 100.0) / 100.0);
}

CBandBins BandBins(float factor, float lowHz, float highHz, uint32_t fftSize, uint32_t rate, uint32_t binCount)
{
    if (rate == 0)
        return {};
    const float n = float(fftSize);
    const float r = float(rate);
    CBandBins bins;
    bins.lo = BinIndex(factor * lowHz * n / r, binCount);
    bins.hi = BinIndex(highHz * factor * n / r, binCount);
    return bins;
}

float BandLevel(std::span<const float> m, CBandBins bins, CBandMeasure measure, bool decibels, CPeakScale peakScale)
{
    bins.hi = std::min<uint32_t>(bins.hi, uint32_t(m.size()));
    const uint32_t width = bins.hi > bins.lo ? bins.hi - bins.lo : 0;
    switch (measure) {
    case CBandMeasure::Sum:
    case CBandMeasure::Mean: {
        if (measure == CBandMeasure::Mean && width < 1)
            return 0.0f;
        float sum = 0.0f;
        for (uint32_t k = bins.lo; k < bins.hi; ++k)
            sum += m[k];
        return PowerToLevel(measure == CBandMeasure::Mean ? sum / float(width) : sum, decibels);
    }
    case CBandMeasure::Maximum: {
        float best = 0.0f;
        for (uint32_t k = bins.lo; k < bins.hi; ++k)
            if (m[k] >= best)
                best = m[k];
        return PowerToLevel(best, decibels);
    }
    case CBandMeasure::PeakPosition:
        return PeakPosition(m, bins, peakScale);
    }
    return 0.0f;
}
