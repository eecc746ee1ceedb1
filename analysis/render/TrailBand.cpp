#include "analysis/render/TrailBand.h"
#include "analysis/CBandList.h"
#include "foundation/core/RoundHalfAway.h"

#include <algorithm>
#include <cmath>

bool TrailBand::ToBins(uint32_t b, uint32_t& lo, uint32_t& hi) const
{
    SBandRange band{};
    if (!bands || !bands->Band(b, band))
        return false;
    if (!(band.low < halfRate) || !std::isfinite(binsPerHz))
        return false;
    lo = RoundToIndex(band.low * binsPerHz, highestBin);
    hi = RoundToIndex(band.high * binsPerHz, highestBin);
    return true;
}
