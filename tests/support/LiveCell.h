#pragma once
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/CLRect.h"
#include "ui/panes/LPane.h"

#include <gtest/gtest.h>

// The live cell at a place of a cell list, bound the way the pointer binds it when it moves over
// the cell.
template <class Cell, class List>
Cell& LiveCellOf(List& list, CLPoint at)
{
    list.ScrollIntoView(at);
    const CLRect rect = list.CellRect(at);
    LPane* hit = list.HitTest({rect.left + 2, rect.top + 2});
    CLPoint cell;
    auto* bound = dynamic_cast<Cell*>(hit ? list.FindCell(hit, &cell) : nullptr);
    EXPECT_NE(bound, nullptr);
    EXPECT_EQ(cell, at);
    return *bound;
}
