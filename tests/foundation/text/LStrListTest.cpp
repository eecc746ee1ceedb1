#include "foundation/text/LStrList.h"

#include "tests/support/MemResourceSource.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

class LStrListTest : public testing::Test {
protected:
    void SetUp() override
    {
        fSource.Add(kStrListDialogTexts, 128, "TWO", "\x00\x02" "a\x00" "bc\x00"s);
        fSource.Add(kStrListDialogTexts, 129, "SHORT", "\x00\x05" "x\x00" "yz"s); // promises 5, holds 2
        fSource.Add(kStrListDialogTexts, 130, "TINY", "\x07"s);                   // not even a count
        fSource.Add(kStrListLayouts, 128, "TWO", "\x00\x01" "layout\x00"s);
    }
    MemResourceSource fSource;
};

TEST_F(LStrListTest, ItemsByIndexPastTheEndAndByIdOrType)
{
    LStrList list(LResRef{0, "TWO"}, &fSource, kStrListDialogTexts);
    EXPECT_EQ(list.Count(), 2u);
    // Going backwards restarts the cursor and still finds the first item.
    for (const auto& [index, item] : {std::pair(0u, "a"), {1u, "bc"}, {2u, ""}, {0xFFFFFFFFu, ""}, {1u, "bc"}, {0u, "a"}})
        EXPECT_EQ(list.GetItem(index).View(), item) << index;

    LStrList byId(LResRef{128, nullptr}, &fSource, kStrListLayouts);
    EXPECT_EQ(byId.GetItem(0).View(), "layout");
    LStrList byName(LResRef{999, "TWO"}, &fSource, kStrListLayouts);
    EXPECT_EQ(byName.Count(), 1u);
}

TEST_F(LStrListTest, ScansStayInsideTheDataAndMissingResourcesHaveNoItems)
{
    LStrList shortList(LResRef{0, "SHORT"}, &fSource, kStrListDialogTexts);
    EXPECT_EQ(shortList.Count(), 5u);
    // Without a NUL the item ends with the data.
    for (const auto& [index, item] : {std::pair(1u, "yz"), {2u, ""}, {4u, ""}, {3u, ""}, {0u, "x"}})
        EXPECT_EQ(shortList.GetItem(index).View(), item) << index;

    for (const char* name : {"TINY", "NOPE"}) {
        LStrList empty(LResRef{0, name}, &fSource, kStrListDialogTexts);
        EXPECT_EQ(empty.Count(), 0u) << name;
        EXPECT_EQ(empty.GetItem(0).View(), "") << name;
    }
}

TEST_F(LStrListTest, UsesApplicationChainWhenNoSourceGivenAndSharesHandles)
{
    {
        LStrList none(LResRef{0, "TWO"}, nullptr, kStrListDialogTexts);
        EXPECT_EQ(none.Count(), 0u); // no chain installed: nothing is loaded
    }
    ScopedGlobalResources global(&fSource);
    LStrList list(LResRef{0, "TWO"}, nullptr, kStrListDialogTexts);
    EXPECT_EQ(list.GetItem(1).View(), "bc");

    LStrListRef none;
    EXPECT_EQ(LStrListRef::Count(none), 0u);
    EXPECT_EQ(LStrListRef::GetItem(none, 0).View(), "");

    LStrListRef shared;
    LStrListRef::Create(shared, LResRef{0, "TWO"}, &fSource, kStrListDialogTexts);
    LStrListRef copy = shared;
    shared.Release();
    EXPECT_EQ(LStrListRef::Count(copy), 2u);
    EXPECT_EQ(LStrListRef::GetItem(copy, 1).View(), "bc");
}
