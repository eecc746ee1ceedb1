#include "controls/lists/LListNavi.h"
#include "controls/std/LScrollBar.h"
#include "tests/controls/lists/ListTestKit.h"

#include <gtest/gtest.h>

namespace {

class LListNaviTest : public ListFixture {
protected:
    // A 202 x 102 navigator: the content is 200 x 100 inside the frame line.
    LListNavi& MakeNavi(uint32_t style)
    {
        fHeader.reset();
        fList.reset();
        fNavi = std::make_unique<LListNavi>(&fRoot, style, true);
        fNavi->SetRect({0, 0, 202, 102});
        fList = std::make_unique<TestList>(fNavi.get(), 1);
        fList->InsertColumns(0, 50);
        fList->InsertRows(0, 40);
        fNavi->SetList(fList.get());
        return *fNavi;
    }
    void FromBar(LScrollBar* bar, const char* type) { LMessage::Send(LMessage(type, bar, fNavi.get())); }

    // The lists go before the navigator that hosts them.
    std::unique_ptr<LListNavi> fNavi;
    std::unique_ptr<TestList> fList;
    std::unique_ptr<TestList> fHeader;
};

} // namespace

TEST_F(LListNaviTest, LaysOutListHeaderAndBars)
{
    LListNavi& navi = MakeNavi(LListNavi::kVerticalBar | LListNavi::kHorizontalBar);
    fHeader = std::make_unique<TestList>(&navi, 0);
    fHeader->InsertColumns(0, 50);
    fHeader->InsertRows(0, 1);
    navi.SetColumnHeader(fHeader.get());
    const int32_t bar = navi.VerticalBar()->Rect().right - navi.VerticalBar()->Rect().left;
    EXPECT_GT(bar, 0);
    EXPECT_EQ(fHeader->Rect(), (CLRect{1, 1, 201 - bar, 21}));
    EXPECT_EQ(fList->Rect(), (CLRect{1, 21, 201 - bar, 101 - bar}));
    EXPECT_EQ(navi.VerticalBar()->Rect(), (CLRect{201 - bar, 21, 201, 101 - bar}));
    EXPECT_EQ(navi.HorizontalBar()->Rect().bottom, 101);
    EXPECT_EQ(navi.PrefWidth(nullptr, 1), 20 + bar + 2);
}

TEST_F(LListNaviTest, NarrowCellsScrollSeveralColumnsPerArrowClick)
{
    LListNavi& navi = MakeNavi(LListNavi::kHorizontalBar);
    fList->SetCellSize(4, 20);
    fList->InsertColumns(0, 100);
    EXPECT_EQ(navi.ColumnStep(), 4);
    FromBar(navi.HorizontalBar(), LScrollBar::msgDw);
    EXPECT_EQ(fList->Origin().x, 4);
    EXPECT_EQ(fTop.Count("LListNavi_Navi"), 1);
    FromBar(navi.HorizontalBar(), LScrollBar::msgUp);
    FromBar(navi.HorizontalBar(), LScrollBar::msgUp);
    EXPECT_EQ(fList->Origin().x, 0) << "held at the first column";
}

TEST_F(LListNaviTest, PageStepsKeepOneLineOfContext)
{
    LListNavi& navi = MakeNavi(LListNavi::kVerticalBar);
    fList->SetCellSize(20, 30); // 3 whole rows in 100 pixels
    FromBar(navi.VerticalBar(), LScrollBar::msgPgDw);
    EXPECT_EQ(fList->Origin().y, 2);
    fList->SetCellSize(20, 60); // 1 whole row
    FromBar(navi.VerticalBar(), LScrollBar::msgPgDw);
    EXPECT_EQ(fList->Origin().y, 3);
    for (int i = 0; i < 50; ++i)
        FromBar(navi.VerticalBar(), LScrollBar::msgPgDw);
    EXPECT_EQ(fList->Origin().y, fList->MaxOriginRow()) << "held at the last row";
    EXPECT_EQ(navi.VerticalBar()->GetValue(), fList->MaxOriginRow());
}

TEST_F(LListNaviTest, HeadersAndBarsFollowTheMainList)
{
    LListNavi& navi = MakeNavi(LListNavi::kVerticalBar | LListNavi::kHorizontalBar);
    fHeader = std::make_unique<TestList>(&navi, 0);
    fHeader->InsertColumns(0, 50);
    fHeader->InsertRows(0, 1);
    navi.SetColumnHeader(fHeader.get());
    fList->ScrollTo({7, 3}); // as the list's own drag auto-scroll does
    EXPECT_EQ(fHeader->Origin(), (CLPoint{7, 0}));
    EXPECT_EQ(navi.HorizontalBar()->GetValue(), 7);
    EXPECT_EQ(navi.VerticalBar()->GetValue(), 3);
    fHeader->ScrollTo({2, 0});
    EXPECT_EQ(fList->Origin(), (CLPoint{2, 3})) << "a scrolled header takes the list with it";
}

TEST_F(LListNaviTest, WheelOverAOneRowListIsPassedOn)
{
    MakeNavi(LListNavi::kVerticalBar);
    fList->DeleteRows(1, 100);
    fMouse.wheelDy = -40;
    Send("LMouse_Wheel", fNavi.get());
    EXPECT_EQ(fTop.Count("LMouse_Wheel"), 1);

    MakeNavi(LListNavi::kVerticalBar);
    fMouse.wheelDy = -40;
    fMouse.wheelCarryY = 0;
    fTop.seen.clear();
    Send("LMouse_Wheel", fNavi.get());
    EXPECT_EQ(fTop.Count("LMouse_Wheel"), 0);
    EXPECT_EQ(fTop.Count("LListNavi_Navi"), 1);
    EXPECT_GT(fList->Origin().y, 0);
}
