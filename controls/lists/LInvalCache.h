#pragma once
#include "foundation/geometry/LRegion.h"
#include "ui/panes/LPaneContext.h"

// A drawing context cached for a run of drawing or refreshing, with the invalidations that
// accumulate meanwhile, so that they reach the window at once.
struct LInvalCache {
    LPaneContext context;
    LRegion update;
    LRegion erase;

    void Add(const LRegion& moreUpdate, const LRegion& moreErase)
    {
        update.Union(moreUpdate);
        erase.Union(moreErase);
    }
    // Moves the accumulated regions out; false when there is nothing to invalidate.
    bool Take(LRegion& takenUpdate, LRegion& takenErase)
    {
        takenUpdate = update;
        takenErase = erase;
        update.Clear();
        erase.Clear();
        return !takenUpdate.IsEmpty() || !takenErase.IsEmpty();
    }
};
