#include "analysis/CBandList.h"

#include <cmath>

CBandList::CBandList() : bands(sizeof(SBandRange)) {}

bool CBandList::Band(uint32_t i, SBandRange& out) const
{
    if (bands.Count() > 0) {
        if (i >= bands.Count()) {
            out = {0.0f, 0.0f};
            return false;
        }
        out = bands.Items<SBandRange>()[i];
        return true;
    }
    const float low = static_cast<float>(i) * width;
    out = {low, low + width};
    return true;
}

void CBandList::SetWidth(float w)
{
    if (!(w > 0.0f) || !std::isfinite(w))
        return;
    width = w;
    Clear();
}

void CBandList::Clear()
{
    bands.RemoveAll();
}

bool CBandList::Insert(SBandRange band)
{
    const uint32_t count = bands.Count();
    if (count >= kMaxBands)
        return false;
    const SBandRange* items = bands.Items<SBandRange>();
    // Sorted input (the usual band file) appends; scan from the end to find the place.
    uint32_t at = count;
    while (at > 0) {
        const SBandRange& prev = items[at - 1];
        if (prev.low > band.low || (prev.low == band.low && prev.high > band.high))
            --at;
        else
            break;
    }
    return bands.InsertAt(at, &band);
}
