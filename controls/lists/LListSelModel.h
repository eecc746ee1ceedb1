#pragma once
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/LRegion.h"

#include <cstdint>

// How clicks and drags in a list turn into a selection. The model keeps the anchor cell of
// the gesture; Begin starts one at a click, Track follows the pointer. Regions are in cell
// units: cell (c, r) is the unit square from (c, r) to (c + 1, r + 1).
class LListSelModel {
public:
    enum : uint32_t { kModeNone = 0, kModeSingle = 1, kModeRect = 2, kModeMulti = 3 };

    explicit LListSelModel(uint32_t mode) : mode(mode) {}

    // The selection after a click on `cell` with the given modifier keys.
    LRegion Begin(const LRegion& current, const CLPoint& cell, bool shift, bool command);
    // The selection after the pointer moved to `cell` during the gesture.
    LRegion Track(const LRegion& current, const CLPoint& cell) const;

    int32_t anchorColumn = 0;
    int32_t anchorRow = 0;
    uint32_t mode;
    uint8_t additive = 0;   // the gesture adds to or removes from the selection
    uint8_t adding = 0;     // with additive: it adds, else it removes

private:
    void AnchorAt(const CLPoint& cell);
    // The top-left cell of the selection's bounds, or its bottom-right one when the click
    // lies left of or above the bounds, so that Shift extends from the far corner.
    void AnchorFromBounds(const LRegion& current, const CLPoint& cell);
};
