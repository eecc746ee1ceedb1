#pragma once
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/CLRect.h"
#include "foundation/geometry/LRegion.h"

// Visits the cells of a cell region (cell (c, r) is the unit square at (c, r)) inside its
// bounds: row by row with the columns varying fastest, or column by column, forward or
// backward. Rows (or columns) that do not meet the region are skipped whole.
class CCellRangeIter {
public:
    enum class Order { Rows, Columns };
    enum class Direction { Forward, Backward };

    CCellRangeIter(const LRegion& region, Order order, Direction direction);

    // The next cell of the region; false after the last.
    bool Next(CLPoint& cell);

private:
    // Steps to the next cell of the bounds; false past the end.
    bool Step();
    bool LineMeetsRegion() const;

    LRegion fRegion;
    CLRect fBounds;
    Order fOrder;
    Direction fDirection;
    CLPoint fCell;
    bool fStarted = false;
    bool fDone = false;
};
