// A damaged menu list: its count claims far more entries than its data holds. The menu holds
// the entries the data holds, and one line names the list.
#include "tests/ui/menus/MenuTestKit.h"

#include <string>

namespace {

// A list whose count says `claimed` while its data holds the given items.
std::string ClaimingList(uint16_t claimed, std::initializer_list<std::string> items)
{
    std::string bytes = StrListBytes(items);
    bytes[0] = char(claimed >> 8);
    bytes[1] = char(claimed & 0xFF);
    return bytes;
}

struct Case {
    uint16_t claimed;
    std::string data;      // the items after the count
    uint32_t entries;      // entries the menu gets
    bool reported;
};

TEST(DamagedMenuList, TheMenuHoldsOnlyTheEntriesItsDataHolds)
{
    const std::string header = std::string("BROKEN\nBroken") + '\0';
    const std::string one = std::string("cOne\nOne") + '\0';
    const std::string two = std::string("cTwo\nTwo") + '\0';
    const Case cases[] = {
        {3, header + one + two, 2, false},
        {65535, header + one + two, 2, true},
        {65535, header + one + "cTwo\nTwo", 2, true},   // the last item without its NUL
        {65535, header, 0, true},
        {4, header + one + two + std::string(1, '\0'), 3, false},   // an empty entry is data too
        {2, header + one + two, 1, false},                          // items past the count are not read
    };
    for (const Case& c : cases) {
        MemResourceSource resources;
        resources.Add(kStrListMenu, 128, "BROKEN",
                      std::string{char(c.claimed >> 8), char(c.claimed & 0xFF)} + c.data);
        LStrList list({0, "BROKEN"}, &resources, kStrListMenu);
        RecordingHandler parent;
        testing::internal::CaptureStderr();
        LMenu menu(&parent, list, &resources);
        const std::string error = testing::internal::GetCapturedStderr();
        EXPECT_EQ(menu.Count(), c.entries) << c.claimed;
        EXPECT_EQ(menu.Items().Count(), c.entries);
        if (c.reported)
            EXPECT_EQ(error, "sonalyx: the menu list \"BROKEN\" is damaged: it claims 65535 items but holds " +
                                 std::to_string(c.entries + 1) + "\n");
        else
            EXPECT_EQ(error, "");
    }
}

TEST(DamagedMenuList, AnItemPastTheCountReadsEmpty)
{
    MemResourceSource resources;
    resources.Add(kStrListMenu, 128, "SHORT", ClaimingList(9, {"SHORT\nShort", "cOne\nOne"}));
    LStrList list({0, "SHORT"}, &resources, kStrListMenu);
    EXPECT_EQ(list.Count(), 9u);
    EXPECT_EQ(list.HeldCount(), 2u);
    EXPECT_EQ(list.GetItem(1).View(), "cOne\nOne");
    EXPECT_TRUE(list.GetItem(5).IsEmpty());
    EXPECT_TRUE(list.GetItem(9).IsEmpty());
}

TEST(DamagedMenuList, EntriesInsertedAnywhereKeepTheirPlacesAndCount)
{
    MemResourceSource resources;
    resources.Add(kStrListMenu, 128, "PLAIN", StrListBytes({"PLAIN\nPlain", "cA\nA", "cB\nB"}));
    LStrList list({0, "PLAIN"}, &resources, kStrListMenu);
    RecordingHandler parent;
    LMenu menu(&parent, list, &resources);
    LMenuItem* first = menu.MakeItem(LStringRef("cFirst\nFirst"), 0, &resources);
    LMenuItem* middle = menu.MakeItem(LStringRef("cMid\nMid"), 2, &resources);
    LMenuItem* last = menu.MakeItem(LStringRef("cLast\nLast"), 99, &resources);
    ASSERT_EQ(menu.Count(), 5u);
    EXPECT_EQ(menu.ItemAt(0), first);
    EXPECT_EQ(menu.ItemAt(2), middle);
    EXPECT_EQ(menu.ItemAt(4), last);
    ASSERT_TRUE(menu.Native());
    EXPECT_EQ(menu.Native()->Count(), menu.FirstNativeIndex() + 5);
    for (uint32_t i = 0; i < 5; ++i)
        EXPECT_EQ(menu.GetItemAt(menu.Native()->ItemAt(menu.FirstNativeIndex() + i).get()), menu.ItemAt(i)) << i;
    menu.RemoveItem(middle);
    EXPECT_EQ(menu.Count(), 4u);
    EXPECT_EQ(menu.IndexOf(last), 3);
}

} // namespace
