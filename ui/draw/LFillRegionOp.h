#pragma once
#include "controls/CColor.h"
#include "foundation/geometry/LRegion.h"
#include "ui/draw/LBrush.h"

#include <cstdint>

class LPortState;

// Fills a region of the port with a brush (or, when a shared colour is given, with that).
class LFillRegionOp {
public:
    LFillRegionOp(const LRegion& r, const LBrushRef& b) : region(r), brush(b) {}
    LFillRegionOp(const LRegion& r, const CColorRef& c) : region(r), color(c) {}

    // Sets the colours, then in a saved drawing state sets the blend mode and fills every
    // rectangle of the region with one call; the blend mode goes back to normal after.
    void Draw(LPortState& port) const;

    LRegion region;
    LBrushRef brush;
    CColorRef color;
    uint32_t blendMode = 0;
};
