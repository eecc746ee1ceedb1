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
    EXPECT_EQ(list.GetItem(0).View(), "a");
    EXPECT_EQ(list.GetItem(1).View(), "bc");
    EXPECT_EQ(list.GetItem(2).View(), "");
    EXPECT_EQ(list.GetItem(0xFFFFFFFFu).View(), "");
    // Going backwards restarts the cursor and still finds the first item.
    EXPECT_EQ(list.GetItem(1).View(), "bc");
    EXPECT_EQ(list.GetItem(0).View(), "a");

    LStrList byId(LResRef{128, nullptr}, &fSource, kStrListLayouts);
    EXPECT_EQ(byId.GetItem(0).View(), "layout");
    LStrList byName(LResRef{999, "TWO"}, &fSource, kStrListLayouts);
    EXPECT_EQ(byName.Count(), 1u);
}

TEST_F(LStrListTest, ScansStayInsideTheDataAndMissingResourcesHaveNoItems)
{
    LStrList shortList(LResRef{0, "SHORT"}, &fSource, kStrListDialogTexts);
    EXPECT_EQ(shortList.Count(), 5u);
    EXPECT_EQ(shortList.GetItem(1).View(), "yz"); // no NUL: the item ends with the data
    EXPECT_EQ(shortList.GetItem(2).View(), "");
    EXPECT_EQ(shortList.GetItem(4).View(), "");
    EXPECT_EQ(shortList.GetItem(3).View(), "");
    EXPECT_EQ(shortList.GetItem(0).View(), "x");

    LStrList tiny(LResRef{0, "TINY"}, &fSource, kStrListDialogTexts);
    EXPECT_EQ(tiny.Count(), 0u);
    EXPECT_EQ(tiny.GetItem(0).View(), "");

    LStrList missing(LResRef{0, "NOPE"}, &fSource, kStrListDialogTexts);
    EXPECT_EQ(missing.Count(), 0u);
    EXPECT_EQ(missing.GetItem(0).View(), "");
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
