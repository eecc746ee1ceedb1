// Clicks from the window model's test driver reaching the right cell of a list in a window.
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "tests/controls/lists/ListTestKit.h"
#include "ui/windows/LWindowDef.h"

#include <gtest/gtest.h>

namespace {

// A document window at content rect (100, 100, 400, 300) holding a list of 20 x 20 cells
// at (10, 10) in the window, 8 columns by 6 rows.
class ListClickTest : public ::testing::Test {
protected:
    ListClickTest()
    {
        fWindowFrame = std::make_unique<LFrame>(&fTop, nullptr, LWindowDef(1, fKind));
        fWindowFrame->SetWindowContentRect(CLRect{100, 100, 400, 300});
        fWindowFrame->ShowWindow();
        fList = std::make_unique<TestList>(fWindowFrame.get(), 3);
        fList->SetRect({10, 10, 170, 130});
        fList->InsertColumns(0, 8);
        fList->InsertRows(0, 6);
    }
    ~ListClickTest() override
    {
        fList.reset();
        fWindowFrame.reset();
    }
    // Clicks the centre of the cell, in screen coordinates with the origin at the bottom left.
    void ClickCell(int32_t column, int32_t row, uint32_t modifiers = 0)
    {
        const int32_t x = 100 + 10 + column * 20 + 10;
        const int32_t y = 100 + 10 + row * 20 + 10;
        fDriver.Click(plat::Point{double(x), 900.0 - y}, modifiers);
    }
    // Counts the clicks the list reports as it would see them: a double click pairs with the
    // click before when both fall on the same cell.
    void CountClick()
    {
        const bool paired = fMouse.IsDoubleClick(fCookie) && fList->ClickedCell() == fLastCell;
        fClickCount = paired ? fClickCount + 1 : 1;
        fLastCell = fList->ClickedCell();
    }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    LMouse fMouse;
    LKeyboard fKeyboard;
    ConsumingRecorder fTop;
    LRef fKindHold{new CNativeWindowKind(9)};
    const CNativeWindowKind* fKind = static_cast<CNativeWindowKind*>(fKindHold.Get());
    std::unique_ptr<LFrame> fWindowFrame;
    std::unique_ptr<TestList> fList;
    uint32_t fCookie = 0;
    int fClickCount = 0;
    CLPoint fLastCell{-1, -1};
};

} // namespace

TEST_F(ListClickTest, ClicksReachTheCellUnderThePointer)
{
    ClickCell(3, 2);
    EXPECT_EQ(fList->ClickedCell(), (CLPoint{3, 2}));
    EXPECT_TRUE(fList->Selection().Equals(LRegion(CLRect{3, 2, 4, 3})));
    EXPECT_EQ(fTop.Count("LListPane_Clicked"), 1);
    ClickCell(7, 5);
    EXPECT_EQ(fList->ClickedCell(), (CLPoint{7, 5})) << "the last cell";
    ClickCell(0, 0, 0x20000);
    EXPECT_TRUE(fList->Selection().Equals(LRegion(CLRect{0, 0, 8, 6}))) << "Shift spans to the first cell";
    fList->ScrollTo({2, 1});
    ClickCell(0, 0);
    EXPECT_EQ(fList->ClickedCell(), (CLPoint{2, 1})) << "the origin shifts the cell numbers";
}

TEST_F(ListClickTest, ClickCountsPairOnTheSameCell)
{
    ClickCell(1, 1);
    CountClick();
    ClickCell(1, 1);
    CountClick();
    EXPECT_EQ(fClickCount, 2) << "a quick second click on the same cell is a double click";
    ClickCell(2, 1);
    CountClick();
    EXPECT_EQ(fClickCount, 1) << "another cell starts over";
    EXPECT_EQ(fTop.Count("LListPane_Clicked"), 3);
}
