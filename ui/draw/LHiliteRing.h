#pragma once
#include "foundation/geometry/LRegion.h"

#include <cstdint>

class LPortState;

// The highlight band drop targets show: the region less the region inset by
// 4 x ring size - 2, filled with the shared focus colour (id 4).
class LHiliteRing {
public:
    LHiliteRing(uint32_t size, const LRegion& r) : ringSize(size), region(r) {}

    LRegion Band() const;
    void Draw(LPortState& port) const;

    uint32_t ringSize;
    LRegion region;
};
