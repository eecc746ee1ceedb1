#include "controls/lists/CCellIter.h"
#include "controls/lists/LCellFrame.h"
#include "controls/lists/LCellGrid.h"
#include "tests/controls/lists/ListTestKit.h"

#include <gtest/gtest.h>

namespace {

class IterCell : public LCellFrame {
public:
    explicit IterCell(LPane* grid) : LCellFrame(grid) {}
    int32_t PrefWidth(LPaneContext*, int32_t) override { return 100; }
    int32_t PrefHeight(LPaneContext*, int32_t) override { return 20; }
    CLPoint filled{-1, -1};
};

// A one-column grid of 100 x 20 cells; `emptyRow` has nothing to show.
class IterGrid : public LCellGrid {
public:
    IterGrid(LPane* parent, bool live, bool makeCells) : LCellGrid(parent, 1, false, live), fMakeCells(makeCells) {}
    std::unique_ptr<LPane> CreateCell() override
    {
        return fMakeCells ? std::make_unique<IterCell>(this) : nullptr;
    }
    bool FillCell(LPane& pane, const CLPoint& cell) override
    {
        static_cast<IterCell&>(pane).filled = cell;
        return cell.y != emptyRow;
    }
    int32_t emptyRow = -1;

private:
    bool fMakeCells;
};

// Records the pane and offset it was given.
class RecordingIter : public CCellIter {
public:
    using CCellIter::CCellIter;
    LPane* visited = nullptr;

protected:
    void Visit(LPane& pane) override { visited = &pane; }
};

class CCellIterTest : public ListFixture {
protected:
    IterGrid& MakeGrid(bool live, bool makeCells = true)
    {
        fGrid = std::make_unique<IterGrid>(&fRoot, live, makeCells);
        fGrid->PrototypeCell();
        fGrid->SetRect({0, 0, 100, 80});
        fGrid->InsertColumns(0, 1);
        fGrid->InsertRows(0, 6);
        return *fGrid;
    }
    std::unique_ptr<IterGrid> fGrid;
};

} // namespace

TEST_F(CCellIterTest, BindsALivePaneInThePoolAndKeepsTheWorkingCell)
{
    IterGrid& grid = MakeGrid(false);
    ASSERT_NE(grid.HitTest({10, 5}), nullptr); // working slot on row 0
    ASSERT_EQ(grid.WorkingSlot().cell, (CLPoint{0, 0}));
    RecordingIter iter(grid, {0, 3}, false);
    ASSERT_TRUE(iter.Run());
    EXPECT_TRUE(iter.IsLive());
    EXPECT_EQ(iter.Offset(), (CLPoint{0, 0}));
    EXPECT_EQ(iter.visited, iter.Pane());
    EXPECT_EQ(grid.WorkingSlot().cell, (CLPoint{0, 0})) << "the working slot keeps its old cell";
    CLPoint cell;
    EXPECT_EQ(grid.FindCell(iter.Pane(), &cell), iter.Pane());
    EXPECT_EQ(cell, (CLPoint{0, 3}));
    EXPECT_EQ(iter.Pane()->Rect(), (CLRect{0, 60, 100, 80}));

    RecordingIter again(grid, {0, 3}, true);
    EXPECT_EQ(again.Pane(), iter.Pane()) << "look-up finds the pooled pane";
    RecordingIter working(grid, {0, 0}, false);
    EXPECT_EQ(working.Pane(), grid.WorkingSlot().pane.get());
}

TEST_F(CCellIterTest, WithoutAWorkingCellTheNewPaneIsTheWorkingOne)
{
    IterGrid& grid = MakeGrid(true);
    RecordingIter iter(grid, {0, 2}, false);
    EXPECT_TRUE(iter.IsLive());
    EXPECT_EQ(iter.Pane(), grid.WorkingSlot().pane.get());
    EXPECT_EQ(grid.WorkingSlot().cell, (CLPoint{0, 2}));
}

TEST_F(CCellIterTest, ThePrototypeStandsInWhereNoLivePaneCanBe)
{
    IterGrid& grid = MakeGrid(false);
    grid.emptyRow = 4;
    const struct {
        CLPoint cell;
        bool lookUpOnly;
    } rows[] = {
        {{0, 4}, false}, // FillCell has nothing
        {{0, 9}, false}, // outside the grid
        {{0, 2}, true},  // look-up only, no live pane
    };
    for (const auto& row : rows) {
        RecordingIter iter(grid, row.cell, row.lookUpOnly);
        ASSERT_TRUE(iter.Run());
        EXPECT_FALSE(iter.IsLive()) << row.cell.y;
        EXPECT_EQ(iter.visited, grid.PrototypeCell());
        const CLRect at = grid.PrototypeCell()->Rect();
        EXPECT_EQ(iter.Offset(), (CLPoint{0, grid.CellRect(row.cell).top - at.top})) << row.cell.y;
    }
    EXPECT_EQ(grid.PoolCount() > 0 ? grid.PoolSlot(grid.PoolCount() - 1).cell.y : -1, -1)
        << "no pooled slot holds a cell";
}

TEST_F(CCellIterTest, AGridWithoutPanesVisitsNothing)
{
    IterGrid& grid = MakeGrid(false, false);
    RecordingIter iter(grid, {0, 1}, false);
    EXPECT_EQ(iter.Pane(), nullptr);
    EXPECT_FALSE(iter.Run());
    EXPECT_EQ(iter.visited, nullptr);
}
