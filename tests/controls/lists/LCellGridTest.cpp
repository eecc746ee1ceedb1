#include "controls/lists/LCellFrame.h"
#include "controls/lists/LCellGrid.h"
#include "foundation/input/LKeyboard.h"
#include "tests/controls/lists/ListTestKit.h"

#include <gtest/gtest.h>

namespace {

// A cell of two Tab stops side by side; it notes which cell it stood for when it lost the focus.
class TestCell : public LCellFrame {
public:
    explicit TestCell(LCellGrid* grid) : LCellFrame(grid), fGrid(grid)
    {
        first = std::make_unique<StopPane>(this, CLRect{2, 2, 40, 18});
        second = std::make_unique<StopPane>(this, CLRect{50, 2, 90, 18});
    }
    int32_t PrefWidth(LPaneContext*, int32_t) override { return 100; }
    int32_t PrefHeight(LPaneContext*, int32_t) override { return 20; }
    void StateChanged(int32_t event) override
    {
        if (event == kEventUnfocus && !fGrid->FindCell(this, &unfocusedAt))
            unfocusedAt = {-1, -1};
        LCellFrame::StateChanged(event);
    }
    std::unique_ptr<StopPane> first;
    std::unique_ptr<StopPane> second;
    CLPoint unfocusedAt{-1, -1};

private:
    LCellGrid* fGrid;
};

class TestGrid : public LCellGrid {
public:
    TestGrid(LPane* parent, bool live, bool makeCells = true)
        : LCellGrid(parent, 1, false, live), fMakeCells(makeCells)
    {
    }
    std::unique_ptr<LPane> CreateCell() override
    {
        if (!fMakeCells)
            return nullptr;
        ++created;
        return std::make_unique<TestCell>(this);
    }
    bool FillCell(LPane&, const CLPoint& cell) override
    {
        ++fills;
        return cell.y != emptyRow;
    }
    int created = 0;
    int fills = 0;
    int32_t emptyRow = -1;

private:
    bool fMakeCells;
};

class LCellGridTest : public ListFixture {
protected:
    // A grid of 100 x 20 cells, 4 rows shown, at (0, 0).
    TestGrid& MakeGrid(bool live, int32_t columns, int32_t rows, bool makeCells = true)
    {
        fGrid = std::make_unique<TestGrid>(&fRoot, live, makeCells);
        fGrid->PrototypeCell();
        fGrid->SetRect({0, 0, 100 * std::min(columns, 2), 80});
        fGrid->InsertColumns(0, columns);
        fGrid->InsertRows(0, rows);
        return *fGrid;
    }
    // Gives the focus to the first stop of the cell, as a click into it would.
    void FocusCell(const CLPoint& cell)
    {
        const CLRect rect = fGrid->CellRect(cell);
        LPane* hit = fGrid->HitTest({rect.left + 5, rect.top + 5});
        ASSERT_NE(hit, nullptr);
        ASSERT_NE(hit, fGrid.get()) << "the pointer reaches the cell's own control";
        hit->AdvanceFocus(LFocusDir::Forward, LFocusRestart::Yes);
    }
    void PressArrow(uint32_t charCode)
    {
        fKeyboard.charCode = charCode;
        fKeyboard.character = 0;
        LMessage::Send(LMessage(LKeyboard::msgDown, &fKeyboard, fGrid.get()));
    }
    CLPoint Focused() const
    {
        CLPoint cell;
        return fGrid->FocusCell(cell) ? cell : CLPoint{-1, -1};
    }

    LKeyboard fKeyboard;
    std::unique_ptr<TestGrid> fGrid;
};

constexpr uint32_t kUp = 0xF700;
constexpr uint32_t kDown = 0xF701;
constexpr uint32_t kLeft = 0xF702;
constexpr uint32_t kRight = 0xF703;

} // namespace

TEST_F(LCellGridTest, PrototypeSetsTheCellSize)
{
    TestGrid& grid = MakeGrid(false, 1, 3);
    EXPECT_EQ(grid.CellWidth(), 100);
    EXPECT_EQ(grid.CellHeight(), 20);
    EXPECT_EQ(grid.PrefWidth(nullptr, 0), 100);
    EXPECT_EQ(grid.created, 1);
}

TEST_F(LCellGridTest, HitTestBindsALivePaneToTheCellUnderThePointer)
{
    TestGrid& grid = MakeGrid(false, 1, 3);
    LPane* hit = grid.HitTest({10, 45});
    ASSERT_NE(hit, nullptr);
    CLPoint cell;
    EXPECT_NE(grid.FindCell(hit, &cell), nullptr);
    EXPECT_EQ(cell, (CLPoint{0, 2}));
    EXPECT_EQ(grid.WorkingSlot().cell, (CLPoint{0, 2}));
    EXPECT_EQ(grid.WorkingSlot().pane->Rect(), (CLRect{0, 40, 100, 60}));
    EXPECT_EQ(grid.HitTest({10, 70}), &grid) << "past the last row the grid answers itself";
    EXPECT_EQ(grid.HitTest({45, 45}), grid.WorkingSlot().pane.get()) << "between the stops: the cell frame";
}

TEST_F(LCellGridTest, ArrowKeysMoveTheFocusAndStopAtTheEdges)
{
    MakeGrid(true, 1, 6);
    FocusCell({0, 0});
    EXPECT_EQ(Focused(), (CLPoint{0, 0}));
    PressArrow(kUp);
    EXPECT_EQ(Focused(), (CLPoint{0, 0})) << "the first cell stays";
    PressArrow(kDown);
    EXPECT_EQ(Focused(), (CLPoint{0, 1}));
    for (int i = 0; i < 6; ++i)
        PressArrow(kDown);
    EXPECT_EQ(Focused(), (CLPoint{0, 5})) << "the last cell stays";
    EXPECT_EQ(fGrid->Origin(), (CLPoint{0, 2})) << "scrolled just enough to show it";
    PressArrow(kUp);
    EXPECT_EQ(Focused(), (CLPoint{0, 4}));
    EXPECT_EQ(fTop.Count("LKeyboard_Down"), 0) << "every arrow was taken";
}

TEST_F(LCellGridTest, ArrowsSkipCellsWithNothingToFocus)
{
    TestGrid& grid = MakeGrid(true, 1, 4);
    grid.emptyRow = 1;
    FocusCell({0, 0});
    PressArrow(kDown);
    EXPECT_EQ(Focused(), (CLPoint{0, 2}));
    grid.emptyRow = 3;
    PressArrow(kDown);
    EXPECT_EQ(Focused(), (CLPoint{0, 2})) << "at the edge the focus comes back";
}

TEST_F(LCellGridTest, LeftAndRightInOneColumnMoveInsideTheCell)
{
    MakeGrid(true, 1, 3);
    FocusCell({0, 1});
    auto* cell = static_cast<TestCell*>(fGrid->FocusSlot().pane.get());
    EXPECT_EQ(cell->Focus(), cell->first.get());
    PressArrow(kRight);
    EXPECT_EQ(cell->Focus(), cell->second.get());
    EXPECT_EQ(Focused(), (CLPoint{0, 1}));
    PressArrow(kLeft);
    EXPECT_EQ(cell->Focus(), cell->first.get());
}

TEST_F(LCellGridTest, UpAndDownInOneWideRowAreNotTaken)
{
    MakeGrid(true, 3, 1);
    FocusCell({1, 0});
    PressArrow(kDown);
    EXPECT_EQ(fTop.Count("LKeyboard_Down"), 1) << "the key climbs on to the parent";
    PressArrow(kRight);
    EXPECT_EQ(Focused(), (CLPoint{2, 0}));
}

TEST_F(LCellGridTest, RemovingTheFocusRowFreesTheFocusSlot)
{
    MakeGrid(true, 1, 4);
    FocusCell({0, 2});
    LPane* pane = fGrid->FocusSlot().pane.get();
    EXPECT_TRUE(pane->Flags() & kPaneHostShown);
    fGrid->DeleteRows(2, 1);
    EXPECT_EQ(Focused(), (CLPoint{-1, -1}));
    EXPECT_FALSE(pane->Flags() & kPaneHostShown);
    EXPECT_EQ(static_cast<TestCell*>(pane)->unfocusedAt, (CLPoint{0, 2})) << "told while it stood for the row removed";
}

TEST_F(LCellGridTest, TabStaysInsideTheCell)
{
    MakeGrid(true, 1, 3);
    FocusCell({0, 0});
    auto* cell = static_cast<TestCell*>(fGrid->FocusSlot().pane.get());
    fKeyboard.character = 9;
    fKeyboard.charCode = 9;
    for (int i = 0; i < 3; ++i)
        LMessage::Send(LMessage(LKeyboard::msgDown, &fKeyboard, cell->Focus()));
    EXPECT_EQ(cell->Focus(), cell->second.get());
    EXPECT_EQ(fTop.Count("LKeyboard_Down"), 0);
}

// With Tab through cells on, Tab and Shift+Tab go from stop to stop of the cells in reading
// order, skip a cell with nothing to show, and leave the grid after its last (first) stop.
TEST_F(LCellGridTest, TabThroughCellsGoesOnInReadingOrderAndLeavesAtTheEnd)
{
    const struct {
        const char* what;
        bool live;
        int32_t columns, rows, emptyRow;
        bool backward;
        std::vector<std::string> stops; // cell x, y and stop; "out" once the key climbs past
    } cases[] = {
        {"rows forward", true, 1, 3, -1, false, {"0,0b", "0,1a", "0,1b", "0,2a", "0,2b", "out"}},
        {"rows backward", true, 1, 3, -1, true, {"0,2a", "0,1b", "0,1a", "0,0b", "0,0a", "out"}},
        {"stamped rows forward", false, 1, 3, -1, false, {"0,0b", "0,1a", "0,1b", "0,2a", "0,2b", "out"}},
        {"an empty row is passed over", true, 1, 3, 1, false, {"0,0b", "0,2a", "0,2b", "out"}},
        {"columns then rows", true, 2, 2, -1, false, {"0,0b", "1,0a", "1,0b", "0,1a", "0,1b", "1,1a", "1,1b", "out"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestGrid& grid = MakeGrid(c.live, c.columns, c.rows);
        grid.emptyRow = c.emptyRow;
        grid.SetTabThroughCells(true);
        fTop.seen.clear();
        fKeyboard.character = 9;
        fKeyboard.charCode = 9;
        fKeyboard.modifiers = c.backward ? kShiftKey : 0;
        ++fKeyboard.serial;
        // From outside the grid the first stop of its first cell, or the last of its last.
        ASSERT_TRUE(grid.AdvanceFocus(c.backward ? LFocusDir::Backward : LFocusDir::Forward, LFocusRestart::Yes));
        const CLPoint start = c.backward ? CLPoint{c.columns - 1, c.rows - 1} : CLPoint{0, 0};
        ASSERT_EQ(Focused(), start);
        std::vector<std::string> reached;
        for (size_t i = 0; i < c.stops.size(); ++i) {
            ++fKeyboard.serial;
            auto* cell = static_cast<TestCell*>(grid.FocusSlot().pane.get());
            LMessage::Send(LMessage(LKeyboard::msgDown, &fKeyboard, cell->Focus()));
            if (fTop.Count("LKeyboard_Down") > 0) {
                reached.push_back("out");
                // The frames the leaving Tab passes do not lead it back into the grid.
                EXPECT_FALSE(grid.AdvanceFocus(LFocusDir::Forward, LFocusRestart::Yes));
                EXPECT_EQ(Focused().y, c.backward ? 0 : c.rows - 1);
                break;
            }
            cell = static_cast<TestCell*>(grid.FocusSlot().pane.get());
            const CLPoint at = Focused();
            reached.push_back(std::to_string(at.x) + "," + std::to_string(at.y) +
                              (cell->Focus() == cell->first.get() ? "a" : "b"));
        }
        EXPECT_EQ(reached, c.stops);
        ++fKeyboard.serial; // the next key comes in again
        fKeyboard.modifiers = 0;
        EXPECT_TRUE(grid.AdvanceFocus(LFocusDir::Forward, LFocusRestart::Yes));
        EXPECT_EQ(Focused(), (CLPoint{0, 0}));
    }
}

TEST_F(LCellGridTest, StampModeDrawsThroughThePrototypeOnly)
{
    TestGrid& grid = MakeGrid(false, 1, 2);
    grid.SetState(kEventHostShow);
    LPortState port;
    port.SetClip(LRegion(CLRect{0, 0, 100, 80}));
    grid.DrawSelf(port);
    EXPECT_EQ(grid.created, 1) << "one prototype stamps every cell";
    EXPECT_EQ(grid.PoolCount(), 0u);
    EXPECT_FALSE(grid.PrototypeCell()->Flags() & kPaneHostShown) << "taken out again after each stamp";

    TestGrid& live = MakeGrid(true, 1, 2);
    live.SetState(kEventHostShow);
    live.DrawSelf(port);
    EXPECT_GE(live.PoolCount(), 2u);
    EXPECT_EQ(live.PoolSlot(live.PoolCount() - 1).cell, (CLPoint{0, 1})) << "the pool is sorted by cell";
}

TEST_F(LCellGridTest, WithoutCellsOnlyTheBackgroundIsDrawn)
{
    TestGrid& grid = MakeGrid(false, 1, 2, false);
    grid.SetState(kEventHostShow);
    LPortState port;
    port.SetClip(LRegion(CLRect{0, 0, 100, 80}));
    grid.DrawSelf(port);
    EXPECT_EQ(grid.HitTest({5, 5}), &grid);
    EXPECT_EQ(grid.PoolCount(), 0u);
    EXPECT_EQ(grid.fills, 0);
}

TEST_F(LCellGridTest, ABackgroundStopsTheGridFromErasing)
{
    RecordingPane host(&fTop, nullptr);
    TestGrid grid(&host, false);
    grid.SetRect({0, 0, 100, 80});
    grid.InsertColumns(0, 1);
    grid.InsertRows(0, 2);
    grid.SetState(kEventHostShow);
    const LRegion row(CLRect{0, 0, 100, 20});
    grid.SetBackground(CColorRef(CColor::Grey(4)));
    EXPECT_TRUE(grid.Flags() & kPaneOpaque);
    EXPECT_TRUE(grid.CoversCells());
    host.updates.clear();
    host.erases.clear();
    grid.InvalidateCells(row);
    ASSERT_EQ(host.updates.size(), 1u);
    EXPECT_TRUE(host.updates.back().Equals(row));
    EXPECT_TRUE(host.erases.back().IsEmpty());
    grid.SetBackground(CColorRef());
    EXPECT_FALSE(grid.Flags() & kPaneOpaque);
    grid.InvalidateCells(row);
    EXPECT_TRUE(host.erases.back().Equals(row)) << "without a background the grid erases again";
    grid.InvalidateCells(LRegion(CLRect{0, 90, 100, 120}));
    EXPECT_EQ(host.updates.size(), 2u) << "nothing outside the pane";
}

TEST_F(LCellGridTest, InsertedRowsMoveTheLivePanesAndRefillTheCellsAfter)
{
    TestGrid& grid = MakeGrid(true, 1, 3);
    grid.SetState(kEventHostShow);
    LPortState port;
    port.SetClip(LRegion(CLRect{0, 0, 100, 80}));
    grid.DrawSelf(port);
    LPane* third = grid.FindCell(grid.HitTest({5, 45}));
    ASSERT_NE(third, nullptr);
    grid.fills = 0;
    grid.InsertRows(1, 1);
    CLPoint cell;
    EXPECT_EQ(grid.FindCell(third, &cell), third);
    EXPECT_EQ(cell, (CLPoint{0, 3})) << "the pane moved with its row";
    EXPECT_EQ(third->Rect(), (CLRect{0, 60, 100, 80}));
    EXPECT_GE(grid.fills, 2) << "the cells from the index on were filled again";
    for (size_t i = 1; i < grid.PoolCount(); ++i)
        EXPECT_FALSE(grid.PoolSlot(i).IsFree()) << "one spare at most";
}

TEST_F(LCellGridTest, SelectedCellsGetTheSelectionBackground)
{
    TestGrid& grid = MakeGrid(true, 1, 3);
    grid.SetState(kEventHostShow);
    LPortState port;
    port.SetClip(LRegion(CLRect{0, 0, 100, 80}));
    grid.DrawSelf(port);
    auto* second = dynamic_cast<LFrame*>(grid.FindCell(grid.HitTest({5, 25})));
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->Background());
    grid.SelectCell({0, 1});
    EXPECT_EQ(second->Background().Get(), CColor::FromId(3));
    grid.ClearSelection();
    EXPECT_FALSE(second->Background());
}

TEST_F(LCellGridTest, StateEventsReachTheLivePanes)
{
    TestGrid& grid = MakeGrid(true, 1, 3);
    FocusCell({0, 0});
    LPane* pane = grid.FocusSlot().pane.get();
    EXPECT_TRUE(pane->Flags() & kPaneHostActive);
    grid.SetState(kEventDisable);
    EXPECT_FALSE(pane->Flags() & kPaneHostActive);
    grid.SetState(kEventEnable);
    EXPECT_TRUE(pane->Flags() & kPaneHostActive);
    grid.SetState(kEventUnfocus);
    EXPECT_EQ(Focused(), (CLPoint{-1, -1})) << "losing the focus drops the focus cell";
}

TEST_F(LCellGridTest, PrefsChangeTakesTheCellSizeFromThePrototype)
{
    class WideGrid : public TestGrid {
    public:
        using TestGrid::TestGrid;
        int32_t CellSizePolicy(CLPoint&) override { return 1; }
    };
    WideGrid grid(&fRoot, false);
    grid.PrototypeCell();
    grid.SetRect({0, 0, 300, 80});
    grid.InsertColumns(0, 1);
    grid.InsertRows(0, 2);
    grid.SetState(kEventPrefsChanged);
    EXPECT_EQ(grid.CellWidth(), 300) << "policy 1: the pane's width";
    EXPECT_EQ(grid.CellHeight(), 20);
}

// A refreshed cell that no pane holds is drawn again, in a live grid as with stamped cells:
// the next pass fills a pane with what changed.
TEST_F(LCellGridTest, ARefreshedCellThatNoPaneHoldsIsDrawnAgain)
{
    for (const bool live : {false, true}) {
        RecordingPane host(&fTop, nullptr);
        TestGrid grid(&host, live);
        grid.PrototypeCell();
        grid.SetRect({0, 0, 100, 80});
        grid.InsertColumns(0, 1);
        grid.InsertRows(0, 3);
        grid.SetState(kEventHostShow);
        host.updates.clear();
        const int fills = grid.fills;
        grid.UpdateCell({0, 2});
        ASSERT_EQ(host.updates.size(), 1u) << (live ? "live" : "stamped");
        EXPECT_TRUE(host.updates.back().Equals(LRegion(grid.CellRect({0, 2}))));
        EXPECT_EQ(grid.fills, fills) << "no pane to fill";
        grid.UpdateCell({0, 7});
        EXPECT_EQ(host.updates.size(), 1u) << "a cell outside the grid";
    }
}
