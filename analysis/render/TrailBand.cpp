#include "analysis/render/TrailBand.h"
#include "analysis/CBandList.h"

#include <algorithm>
#include <cmath>

float RoundHalfAway(float v)
{
    return std::trunc(v + std::copysign(0.49999997f, v));
}

namespace {

// A bin index from a rounded frequency, kept within 0 .. highest (NaN counts as 0).
uint32_t ClampBin(float bin, uint32_t highest)
{
    if (!(bin > 0.0f))
        return 0;
    if (bin >= float(highest))
        return highest;
    return static_cast<uint32_t>(bin);
}

} // namespace

bool TrailBand::ToBins(uint32_t b, uint32_t& lo, uint32_t& hi) const
{
    SBandRange band{};
    if (!bands || !bands->Band(b, band))
        return false;
    if (!(band.low < halfRate) || !std::isfinite(binsPerHz))
        return false;
    lo = ClampBin(RoundHalfAway(band.low * binsPerHz), highestBin);
    hi = ClampBin(RoundHalfAway(band.high * binsPerHz), highestBin);
    return true;
}
