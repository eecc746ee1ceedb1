#pragma once
#include "foundation/geometry/CLRect.h"
#include "foundation/core/LHandleData.h"

#include <cstdint>

// The shared block behind a region handle: the bounds, and the band list (a malloc block, see
// LRegionWalker) when the region is more than one rectangle.
class LRegionData final : public LHandleData {
public:
    // A new block owning `bands` (null for a plain rectangle); null when memory ran out, in
    // which case the bands are freed.
    static LRegionData* Make(const CLRect& bounds, int32_t* bands) noexcept;
    ~LRegionData() override;

    CLRect bounds;
    int32_t* bands = nullptr;

private:
    LRegionData(const CLRect& rect, int32_t* words) noexcept : bounds(rect), bands(words) {}
};
