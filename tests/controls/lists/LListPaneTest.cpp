#include "tests/controls/lists/ListTestKit.h"
#include "foundation/async/LTicks.h"
#include "ui/LTimer.h"

#include <gtest/gtest.h>

namespace {

class LListPaneTest : public ListFixture {
protected:
    // A 100 x 60 list of 20 x 20 cells at (10, 10): 5 columns and 3 rows show.
    TestList& MakeList(uint32_t mode, int32_t columns, int32_t rows)
    {
        fList = std::make_unique<TestList>(&fRoot, mode);
        fList->SetRect({10, 10, 110, 70});
        fList->InsertColumns(0, columns);
        fList->InsertRows(0, rows);
        fTop.seen.clear();
        fList->shifts.clear();
        return *fList;
    }
    // Clicks the cell's centre.
    void ClickCell(int32_t column, int32_t row, uint32_t modifiers = 0)
    {
        const CLRect rect = fList->CellRect({column, row});
        PointAt(rect.left + 10, rect.top + 10, modifiers);
        Send("LMouse_Click", fList.get());
    }
    std::unique_ptr<TestList> fList;
};

} // namespace

TEST_F(LListPaneTest, GeometryFollowsRectOriginAndCellSize)
{
    TestList& list = MakeList(1, 8, 7);
    list.SetRect({10, 10, 115, 75});
    EXPECT_EQ(list.CellAt({10, 10}), (CLPoint{0, 0}));
    EXPECT_EQ(list.CellAt({29, 30}), (CLPoint{0, 1}));
    EXPECT_EQ(list.GapAt({19, 10}), (CLPoint{0, 0}));
    EXPECT_EQ(list.GapAt({20, 10}), (CLPoint{1, 0}));
    EXPECT_EQ(list.FullColumns(), 5);
    EXPECT_EQ(list.FullRows(), 3);
    EXPECT_EQ(list.VisibleRows(), 4) << "a partly shown row counts";
    EXPECT_EQ(list.MaxOriginColumn(), 3);
    EXPECT_EQ(list.MaxOriginRow(), 4);
    list.ScrollTo({2, 3});
    EXPECT_EQ(list.CellRect({2, 3}), (CLRect{10, 10, 30, 30}));
    EXPECT_EQ(list.CellAt({10, 10}), (CLPoint{2, 3}));
    EXPECT_EQ(list.PrefWidth(nullptr, 0), 20);
    list.SetCellSize(0, -4);
    EXPECT_EQ(list.CellWidth(), 1);
    EXPECT_EQ(list.CellHeight(), 1);
}

TEST_F(LListPaneTest, ScrollClampStopsAtBothEnds)
{
    TestList& list = MakeList(1, 8, 7);
    EXPECT_EQ(list.ClampScrollDelta({-1, -1}), (CLPoint{0, 0})) << "at the first cell";
    EXPECT_EQ(list.ClampScrollDelta({10, 10}), (CLPoint{3, 4}));
    list.ScrollTo({3, 4});
    EXPECT_EQ(fTop.Count("LListPane_Change"), 1);
    EXPECT_EQ(list.ClampScrollDelta({1, 1}), (CLPoint{0, 0})) << "at the last cell";
    EXPECT_EQ(list.ClampScrollDelta({-9, -1}), (CLPoint{-3, -1}));
    list.ScrollTo({3, 4});
    EXPECT_EQ(fTop.Count("LListPane_Change"), 1) << "an unchanged origin is no change";

    TestList& empty = MakeList(1, 0, 0);
    EXPECT_EQ(empty.ClampScrollDelta({1, 1}), (CLPoint{0, 0}));
    EXPECT_EQ(empty.ClampScrollDelta({-1, -1}), (CLPoint{0, 0}));

    // One cell wider than the pane may scroll to the last column.
    TestList& wide = MakeList(1, 3, 1);
    wide.SetCellSize(200, 20);
    EXPECT_EQ(wide.ClampScrollDelta({5, 5}), (CLPoint{2, 0}));
}

TEST_F(LListPaneTest, ScrollIntoViewCentresWhereItCan)
{
    TestList& list = MakeList(1, 20, 20);
    list.ScrollIntoView({4, 2});
    EXPECT_EQ(list.Origin(), (CLPoint{0, 0})) << "already shown";
    list.ScrollIntoView({10, 10});
    EXPECT_EQ(list.Origin(), (CLPoint{8, 9}));
    list.ScrollIntoView({19, 19});
    EXPECT_EQ(list.Origin(), (CLPoint{15, 17})) << "the last cells end at the pane's edge";
    list.SelectCell({0, 0});
    list.RevealSelection();
    EXPECT_EQ(list.Origin(), (CLPoint{0, 0}));
}

TEST_F(LListPaneTest, AGrownPaneBringsBackTheCellsScrolledOffItsStart)
{
    // 8 x 7 cells of 20 x 20, scrolled to the last cells of a 100 x 60 pane.
    const struct {
        CLRect rect;
        CLPoint origin;
        const char* why;
    } cases[] = {
        {{10, 10, 110, 70}, {3, 4}, "the same size keeps the origin"},
        {{10, 10, 90, 40}, {3, 4}, "a smaller pane keeps it"},
        {{10, 10, 110, 5}, {3, 4}, "a pane lower than one cell keeps it"},
        {{10, 10, 130, 90}, {2, 3}, "one more column and row show"},
        {{10, 10, 130, 145}, {2, 1}, "rows come back until the last one ends at the pane's edge"},
        {{0, 0, 400, 400}, {0, 0}, "every cell fits"},
    };
    for (const auto& c : cases) {
        TestList& list = MakeList(1, 8, 7);
        list.ScrollTo({3, 4});
        fTop.seen.clear();
        list.SetRect(c.rect);
        EXPECT_EQ(list.Origin(), c.origin) << c.why;
        EXPECT_EQ(fTop.Count("LListPane_Change"), (list.Origin() == CLPoint{3, 4} ? 0 : 1)) << c.why;
        EXPECT_EQ(list.CellRect({0, 0}).top, c.rect.top - c.origin.y * 20) << c.why;
    }
}

TEST_F(LListPaneTest, SelectionIsClippedToTheGridAndReportsOnlyChanges)
{
    TestList& list = MakeList(3, 4, 4);
    list.SetSelection(Cells(-2, 2, 10, 9));
    EXPECT_TRUE(list.Selection().Equals(Cells(0, 2, 4, 4)));
    EXPECT_EQ(fTop.Count("LListPane_SelChange"), 1);
    list.ApplySelection(Cells(0, 2, 9, 9));
    EXPECT_EQ(fTop.Count("LListPane_SelChange"), 1) << "the same after the clip";
    list.invalidated.Clear();
    list.SelectCell({1, 0});
    LRegion expected(CLRect{30, 10, 50, 30});
    expected.Union(LRegion(CLRect{10, 50, 90, 70}));
    EXPECT_TRUE(list.invalidated.Equals(expected)) << "the changed cells that show, in pixels";
    EXPECT_TRUE(LListPane::IsSingleCellRegion(list.Selection()));
    list.ClearSelection();
    EXPECT_TRUE(list.Selection().IsEmpty());
}

TEST_F(LListPaneTest, InsertingPastTheEndExtendsTheGrid)
{
    TestList& list = MakeList(3, 1, 5);
    list.SetSelection(Cells(0, 1, 1, 4));
    list.InsertRows(10, 3);
    EXPECT_EQ(list.Rows(), 13);
    EXPECT_EQ(list.shifts, (std::vector<TestList::Shift>{{1, 10, 8}}));
    EXPECT_TRUE(list.Selection().Equals(Cells(0, 1, 1, 4)));
    list.InsertRows(2, 2);
    EXPECT_TRUE(list.Selection().Equals([&] {
        LRegion r = Cells(0, 1, 1, 2);
        r.Union(Cells(0, 4, 1, 6));
        return r;
    }())) << "cells at and after the index move down";
    list.InsertRows(0, 0);
    list.InsertRows(0, -3);
    EXPECT_EQ(list.Rows(), 15);
}

TEST_F(LListPaneTest, DeletingRowsBelowTheOriginMovesItAndReportsOnce)
{
    TestList& list = MakeList(3, 2, 10);
    list.ScrollTo({0, 7});
    list.SetSelection(Cells(0, 2, 2, 9));
    fTop.seen.clear();
    list.DeleteRows(3, 100);
    EXPECT_EQ(list.Rows(), 3);
    EXPECT_EQ(list.Origin(), (CLPoint{0, 2}));
    EXPECT_EQ(list.shifts, (std::vector<TestList::Shift>{{1, 3, -7}}));
    EXPECT_TRUE(list.Selection().Equals(Cells(0, 2, 2, 3)));
    EXPECT_EQ(fTop.Count("LListPane_Change"), 1);
    list.DeleteRows(3, 1);
    list.DeleteRows(0, 0);
    EXPECT_EQ(list.Rows(), 3) << "an index at the end or a zero count does nothing";
    list.DeleteRows(0, 3);
    EXPECT_EQ(list.Rows(), 0);
    EXPECT_EQ(list.Origin(), (CLPoint{0, 0}));
    EXPECT_TRUE(list.Selection().IsEmpty());
}

TEST_F(LListPaneTest, ClickInTheEmptyAreaSelectsNothingButIsReported)
{
    TestList& list = MakeList(1, 2, 2);
    ClickCell(3, 2);
    EXPECT_EQ(list.ClickedCell(), (CLPoint{3, 2}));
    EXPECT_TRUE(list.Selection().IsEmpty());
    EXPECT_EQ(fTop.Count("LListPane_Clicked"), 1);
    EXPECT_EQ(fTop.Count("LPane_ReqCapture"), 1);
    EXPECT_EQ(fRoot.Focus(), &list) << "the click asked for the focus";
    ClickCell(1, 1);
    EXPECT_TRUE(list.Selection().Equals(Cells(1, 1, 2, 2)));

    TestList& empty = MakeList(3, 0, 0);
    ClickCell(0, 0);
    EXPECT_TRUE(empty.Selection().IsEmpty());
    EXPECT_EQ(fTop.Count("LListPane_Clicked"), 1);
}

TEST_F(LListPaneTest, ShiftAndCommandClicksFollowTheAnchorRules)
{
    TestList& list = MakeList(3, 5, 3);
    ClickCell(1, 1, kShiftKey);
    EXPECT_TRUE(list.Selection().Equals(Cells(0, 0, 2, 2))) << "an empty selection anchors at (0, 0)";
    list.SetSelection(Cells(2, 1, 4, 3));
    ClickCell(1, 0, kShiftKey);
    EXPECT_TRUE(list.Selection().Equals(Cells(1, 0, 4, 3))) << "above the selection: anchored bottom-right";
    ClickCell(2, 1, kCommandKey);
    EXPECT_TRUE(list.Selection().Equals([&] {
        LRegion r = Cells(1, 0, 4, 3);
        r.Subtract(Cells(2, 1, 3, 2));
        return r;
    }())) << "Command on a selected cell removes";
    ClickCell(0, 2, kCommandKey);
    EXPECT_TRUE(list.Selection().Contains({0, 2})) << "Command on an unselected cell adds";

    TestList& single = MakeList(1, 5, 3);
    ClickCell(2, 2, kShiftKey);
    EXPECT_TRUE(single.Selection().Equals(Cells(2, 2, 3, 3)));
    TestList& none = MakeList(0, 5, 3);
    ClickCell(2, 2);
    EXPECT_TRUE(none.Selection().IsEmpty());
}

TEST_F(LListPaneTest, DragOutsideAutoScrollsUntilTheLastRow)
{
    TestList& list = MakeList(2, 2, 5);
    ClickCell(0, 1);
    PointAt(15, 80); // below the pane
    Send("LMouse_Move", &list);
    EXPECT_EQ(list.Origin(), (CLPoint{0, 1}));
    EXPECT_TRUE(list.IsAutoScrolling());
    EXPECT_TRUE(list.Selection().Equals(Cells(0, 1, 1, 4))) << "the drag reaches the last shown row";
    // Each expiry of the timer steps once more until the clamp stops at the last row.
    for (int i = 0; i < 3; ++i) {
        const LMessage expiry = LTimer::DispatchDue(LTicks::Now() + 5000, nullptr, nullptr, true);
        ASSERT_NE(expiry.subject, nullptr) << "the timer runs while the pointer is outside";
        LMessage::Send(expiry);
    }
    EXPECT_EQ(list.Origin(), (CLPoint{0, 2}));
    EXPECT_TRUE(list.Selection().Equals(Cells(0, 1, 1, 5)));
    Send("LMouse_Release", &list);
    EXPECT_FALSE(list.IsAutoScrolling());
    PointAt(15, 40);
    Send("LMouse_Move", &list);
    EXPECT_FALSE(list.IsAutoScrolling()) << "inside the pane no timer runs";
}

TEST_F(LListPaneTest, DrawsCellsMeetingTheClipIncludingThosePastTheCounts)
{
    TestList& list = MakeList(1, 2, 1);
    LPortState port;
    port.SetClip(LRegion(CLRect{35, 25, 75, 200}));
    list.DrawSelf(port);
    EXPECT_EQ(list.drawn, (std::vector<CLPoint>{{1, 0}, {2, 0}, {3, 0}, {1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(list.drawnRects.front(), (CLRect{30, 10, 50, 30}));
    EXPECT_TRUE(port.Clip().Equals(LRegion(CLRect{35, 25, 75, 200}))) << "the clip comes back";
}

TEST_F(LListPaneTest, ResizingRepaintsOnlyTheChangedStrip)
{
    RecordingPane host(&fTop, nullptr);
    TestList list(&host, 1);
    list.SetRect({10, 10, 110, 70});
    list.SetState(kEventHostShow);
    host.updates.clear();
    list.SetRect({10, 10, 130, 70});
    ASSERT_EQ(host.updates.size(), 1u);
    EXPECT_TRUE(host.updates[0].Equals(LRegion(CLRect{110, 10, 130, 70}))) << "the corner stayed: the new strip";
    list.SetRect({20, 10, 140, 70});
    LRegion both(CLRect{10, 10, 130, 70});
    both.Union(LRegion(CLRect{20, 10, 140, 70}));
    EXPECT_TRUE(host.updates[1].Equals(both)) << "a move repaints old and new places";
    LPaneContext context;
    list.GetContext(context);
    EXPECT_TRUE(context.clip.IsEmpty()) << "outside any window nothing is visible";
}
