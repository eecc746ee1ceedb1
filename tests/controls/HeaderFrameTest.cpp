#include "ControlHost.h"
#include "tests/support/RecordingHandler.h"
#include "controls/headers/CColumnHeader.h"
#include "controls/headers/CLayoutPane.h"
#include "controls/headers/CRespText.h"
#include "controls/headers/CRowHeader.h"

#include <gtest/gtest.h>

namespace {

// A header frame of three items shown in the host.
template <class Header>
class HeaderTest : public ::testing::Test {
protected:
    void Make(bool selectable)
    {
        header = std::make_unique<Header>(&host, 0u, selectable, false);
        Activate(*header, CLRect{0, 0, 300, 20});
        for (const char* text : {"Channel", "Band", "Level"})
            header->AddItem(text, LFont(0));
    }
    void ClickItem(int n) { LMessage::Send(LMessage("LMouse_Click", &host.mouse, header->Item(n))); }

    ControlHost host;
    std::unique_ptr<Header> header;
};

using ColumnHeaderTest = HeaderTest<CColumnHeader>;
using RowHeaderTest = HeaderTest<CRowHeader>;

} // namespace

TEST_F(ColumnHeaderTest, ClickSelectsOnlyWhenSelectable)
{
    Make(false);
    for (int i = 0; i < 3; ++i)
        header->SetColumn(i, 100 * i, 0, nullptr);
    ClickItem(1);
    EXPECT_EQ(host.Count(CHeaderFrame::msgSelected), 0);
    EXPECT_EQ(header->Selection(), -1);
    Make(true);
    for (int i = 0; i < 3; ++i)
        header->SetColumn(i, 100 * i, 0, nullptr);
    ClickItem(1);
    EXPECT_EQ(host.Count(CHeaderFrame::msgSelected), 1);
    EXPECT_EQ(header->Selection(), 1);
    EXPECT_TRUE(header->Item(1)->IsHighlighted());
    ClickItem(2);
    EXPECT_FALSE(header->Item(1)->IsHighlighted());
    EXPECT_EQ(header->Selection(), 2);
}

TEST_F(ColumnHeaderTest, SelectingAHiddenItemClearsTheSelection)
{
    Make(true);
    header->SetColumn(0, 0, 0, nullptr);
    header->SetColumn(1, 100, 0, nullptr);
    EXPECT_TRUE(header->Select(0));
    header->Item(1)->SetState(kEventHide);
    EXPECT_TRUE(header->Select(1));
    EXPECT_EQ(header->Selection(), -1);
    EXPECT_FALSE(header->Select(-1));
}

TEST_F(ColumnHeaderTest, OverlappingColumnsAreCutAndPlacedByAlignment)
{
    Make(false);
    const int32_t first = header->Item(0)->PrefWidth(nullptr, 0);
    header->SetColumn(0, 10, 0, nullptr);
    header->SetColumn(1, 20, 0, nullptr);        // starts inside the first item
    header->SetColumn(2, 250, 2, nullptr);       // ends at 250
    EXPECT_GT(first, 10);
    EXPECT_EQ(header->ItemRect(0), (CLRect{10, 0, 20, 20}));
    EXPECT_EQ(header->ItemRect(2).right, 250);
    EXPECT_EQ(header->ItemRect(2).left, 250 - header->Item(2)->PrefWidth(nullptr, 0));
    EXPECT_EQ(header->PrefHeight(nullptr, 0), header->Item(0)->PrefHeight(nullptr, 0));
    header->SetRect(CLRect{0, 0, 300, 30});      // a taller header stretches its items
    EXPECT_EQ(header->ItemRect(1).bottom, 30);
}

TEST_F(ColumnHeaderTest, PlaceListenerHearsEveryChangeAndNoListenerIsFine)
{
    Make(false);
    header->SetRect(CLRect{0, 0, 200, 20});      // nobody listens: nothing fails
    RecordingHandler listener;
    header->SetPlaceListener(&listener);
    header->SetRect(CLRect{0, 0, 250, 20});
    header->SetState(kEventMoved);
    EXPECT_EQ(std::count(listener.seen.begin(), listener.seen.end(), CHeaderFrame::msgPlace), 2);
}

TEST_F(RowHeaderTest, RowsStandOnTheirBaselinesAndWidthFollowsTheItems)
{
    Make(false);
    header->SetRect(CLRect{0, 0, 80, 200});
    header->SetRow(0, 30, nullptr);
    const int32_t ascent = header->Item(0)->PrefHeight(nullptr, -10);
    EXPECT_EQ(header->ItemRect(0), (CLRect{3, 30 - ascent, 77, 30 - ascent + header->Item(0)->PrefHeight(nullptr, 0)}));
    header->SetRect(CLRect{0, 0, 100, 200});
    EXPECT_EQ(header->ItemRect(0).right, 97);
    EXPECT_EQ(header->PrefWidth(nullptr, 0), header->Item(0)->PrefWidth(nullptr, 0) + 6);
    header->RemoveAllItems();
    header->AddItem("", LFont(0));
    EXPECT_EQ(header->PrefWidth(nullptr, 0), 0);
}

TEST(CLayoutPane, FixedWidthIsThePreferredWidth)
{
    ControlHost host;
    LStrListRef texts;
    CLayoutPane pane(&host, texts, true);
    pane.SetFixedSize(200, 40);
    EXPECT_EQ(pane.PrefWidth(nullptr, 0), 200);
    EXPECT_EQ(pane.PrefHeight(nullptr, 0), 40);
    EXPECT_EQ(pane.HitTest(CLPoint{1, 1}), nullptr);
}
