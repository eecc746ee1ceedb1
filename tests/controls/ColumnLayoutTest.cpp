#include "controls/headers/ColumnLayout.h"

#include <gtest/gtest.h>

TEST(ColumnLayout, PlacesColumnsByAlignment)
{
    EXPECT_EQ(ColumnLayout::LeftForColumn(100, 40, 0), 100);
    EXPECT_EQ(ColumnLayout::LeftForColumn(100, 40, 1), 80);
    EXPECT_EQ(ColumnLayout::LeftForColumn(100, 41, 1), 80);
    EXPECT_EQ(ColumnLayout::LeftForColumn(100, 40, 2), 60);
}

TEST(ColumnLayout, OverlappingItemsAreCutAtTheNextLeftEdge)
{
    std::vector<ColumnLayout::Item> items = {{50, 30, 0}, {0, 80, 0}, {50, 10, 0}, {90, 5, 0}};
    ColumnLayout::ResolveOverlaps(items);
    ASSERT_EQ(items.size(), 4u);
    // Sorted by left edge, the two at 50 in their first order.
    EXPECT_EQ(items[0].left, 0);
    EXPECT_EQ(items[0].right, 50);      // cut at the next item
    EXPECT_EQ(items[1].prefWidth, 30);
    EXPECT_EQ(items[1].right, 51);      // pushed to nothing: keeps 1 pixel
    EXPECT_EQ(items[2].right, 60);
    EXPECT_EQ(items[3].right, 95);
}

TEST(ColumnLayout, ZeroWidthItemKeepsOnePixel)
{
    std::vector<ColumnLayout::Item> items = {{10, 0, 0}, {INT32_MAX - 1, 100, 0}};
    ColumnLayout::ResolveOverlaps(items);
    EXPECT_EQ(items[0].right, 11);
    EXPECT_EQ(items[1].right, INT32_MAX);
}
