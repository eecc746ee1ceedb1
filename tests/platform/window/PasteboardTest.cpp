#include "platform/window/Pasteboard.h"

#include <gtest/gtest.h>

using namespace plat;

TEST(Pasteboard, TypedDataRoundTripsAndClearCountsAChange)
{
    Pasteboard& board = Pasteboard::General();
    board.Clear();
    const uint32_t changes = board.ChangeCount();
    board.SetText(Pasteboard::kTypeText, "h\xC3\xA9llo");
    board.SetData("FADR", {0, 1, 2, 255});
    board.SetData("empty", {});
    EXPECT_EQ(board.Types(), (std::vector<std::string>{"FADR", "empty", "public.utf8-plain-text"}));
    EXPECT_EQ(*board.Data("FADR"), (Pasteboard::Bytes{0, 1, 2, 255}));
    ASSERT_TRUE(board.Data("empty"));
    EXPECT_TRUE(board.Data("empty")->empty());
    EXPECT_FALSE(board.Data("EVTX"));
    EXPECT_EQ(board.AvailableType({"EVTX", "public.utf8-plain-text", "FADR"}), "public.utf8-plain-text");
    EXPECT_FALSE(board.AvailableType({"EVTX"}));
    board.Clear();
    EXPECT_EQ(board.ChangeCount(), changes + 1);
    EXPECT_TRUE(board.Types().empty());
}

TEST(Pasteboard, DragItemsKeepTheirOwnData)
{
    Pasteboard& board = Pasteboard::Drag();
    board.Clear();
    board.AddItem({{Pasteboard::kTypeFileUrl, {'a'}}});
    board.AddItem({{Pasteboard::kTypeFileUrl, {'b'}}, {"x", {}}});
    EXPECT_EQ(board.ItemCount(), 2u);
    EXPECT_EQ(board.ItemAt(1).at(Pasteboard::kTypeFileUrl), Pasteboard::Bytes{'b'});
    EXPECT_EQ(*board.Data(Pasteboard::kTypeFileUrl), Pasteboard::Bytes{'a'});
    EXPECT_EQ(board.Types(), (std::vector<std::string>{Pasteboard::kTypeFileUrl, "x"}));
    EXPECT_NE(&Pasteboard::Drag(), &Pasteboard::General());
}
