// The positions and cell orders of list drag reordering.
#include "controls/lists/CCellRangeIter.h"
#include "controls/lists/CListDragDropHelper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

LRegion Rows(std::initializer_list<int32_t> rows)
{
    LRegion region;
    for (int32_t row : rows)
        region.Union(LRegion(CLRect{0, row, 1, row + 1}));
    return region;
}

std::vector<CLPoint> Visit(const LRegion& region, CCellRangeIter::Order order, CCellRangeIter::Direction direction)
{
    std::vector<CLPoint> cells;
    CCellRangeIter iter(region, order, direction);
    for (CLPoint cell; iter.Next(cell);)
        cells.push_back(cell);
    return cells;
}

} // namespace

TEST(CListDragDropHelper, PositionAfterRemovalSkipsTakenRowsAndRefusesNeighbours)
{
    struct Row {
        CLPoint position;
        std::initializer_list<int32_t> selected;
        CLPoint expected;
    };
    const Row rows[] = {
        {{0, 5}, {1, 3}, {0, 3}},
        {{0, 4}, {3}, {-1, -1}},   // right after a selected row
        {{0, 3}, {3}, {-1, -1}},   // on it
        {{0, 2}, {3, 4}, {0, 2}},  // before every taken row
        {{0, 0}, {}, {0, 0}},
        {{0, 9}, {0, 2, 4, 6}, {0, 5}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CListDragDropHelper::PosAfterRemoval(row.position, Rows(row.selected)), row.expected)
            << row.position.y;
}

TEST(CCellRangeIter, VisitsTheRegionInEveryOrder)
{
    LRegion region(CLRect{0, 0, 2, 1});
    region.Union(LRegion(CLRect{1, 2, 2, 3}));
    using O = CCellRangeIter::Order;
    using D = CCellRangeIter::Direction;
    EXPECT_EQ(Visit(region, O::Rows, D::Forward), (std::vector<CLPoint>{{0, 0}, {1, 0}, {1, 2}}));
    EXPECT_EQ(Visit(region, O::Rows, D::Backward), (std::vector<CLPoint>{{1, 2}, {1, 0}, {0, 0}}));
    EXPECT_EQ(Visit(region, O::Columns, D::Forward), (std::vector<CLPoint>{{0, 0}, {1, 0}, {1, 2}}));
    EXPECT_EQ(Visit(region, O::Columns, D::Backward), (std::vector<CLPoint>{{1, 2}, {1, 0}, {0, 0}}));
    EXPECT_TRUE(Visit(LRegion(), O::Rows, D::Forward).empty());
}
