#include "ui/draw/LHiliteRing.h"
#include "controls/CColor.h"
#include "ui/draw/LFillRegionOp.h"

#include <algorithm>
#include <cstdint>

LRegion LHiliteRing::Band() const
{
    int64_t inset = 4 * static_cast<int64_t>(ringSize) - 2;
    inset = std::clamp<int64_t>(inset, INT32_MIN, INT32_MAX);
    LRegion inner = region;
    inner.Inset(static_cast<int32_t>(inset), static_cast<int32_t>(inset));
    LRegion band = region;
    band.Subtract(inner);
    return band;
}

void LHiliteRing::Draw(LPortState& port) const
{
    LFillRegionOp(Band(), CColorRef(CColor::FromId(4))).Draw(port);
}
