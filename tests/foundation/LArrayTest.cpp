#include "foundation/LArray.h"

#include <gtest/gtest.h>

TEST(LArray, FirstInsertReservesThirtyThreeAndRemoveAtClampsToEnd)
{
    LArray a(sizeof(int));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(a.InsertAt(100, &i));
    EXPECT_EQ(a.Capacity(), 33u);
    a.RemoveAt(5, 1);
    EXPECT_EQ(a.Count(), 5u);
    a.RemoveAt(2, 10);
    EXPECT_EQ(a.Count(), 2u);
    EXPECT_EQ(a.Items<int>()[1], 1);
}
