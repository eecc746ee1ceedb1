#include "analysis/CBandList.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

std::vector<std::pair<float, float>> Bands(const CBandList& list)
{
    std::vector<std::pair<float, float>> out;
    SBandRange b{};
    for (uint32_t i = 0; list.Band(i, b); ++i)
        out.emplace_back(b.low, b.high);
    return out;
}

} // namespace

TEST(CBandList, FixedWidthBandsStartAtZeroAndNeverEnd)
{
    CBandList list;
    SBandRange b{};
    EXPECT_EQ(list.width, 10.0f);
    ASSERT_TRUE(list.Band(0, b));
    EXPECT_EQ(b.low, 0.0f);
    EXPECT_EQ(b.high, 10.0f);
    ASSERT_TRUE(list.Band(1000000, b));
    EXPECT_EQ(b.low, 10000000.0f);
    EXPECT_EQ(b.high, 10000010.0f);
}

TEST(CBandList, InsertSortsByLowThenHighAndKeepsEqualOnesInOrder)
{
    CBandList list;
    ASSERT_TRUE(list.Insert({100, 200}));
    ASSERT_TRUE(list.Insert({50, 80}));
    ASSERT_TRUE(list.Insert({50, 60}));
    ASSERT_TRUE(list.Insert({50, 80}));
    ASSERT_TRUE(list.Insert({300, 300}));
    ASSERT_TRUE(list.Insert({0, 1000}));
    using P = std::pair<float, float>;
    EXPECT_EQ(Bands(list), (std::vector<P>{{0, 1000}, {50, 60}, {50, 80}, {50, 80}, {100, 200}, {300, 300}}));
    SBandRange b{1, 1};
    EXPECT_FALSE(list.Band(6, b));
    EXPECT_EQ(b.low, 0.0f);
    EXPECT_EQ(b.high, 0.0f);
}

TEST(CBandList, SetWidthReplacesBandsOnlyForAUsableWidth)
{
    CBandList list;
    ASSERT_TRUE(list.Insert({5, 7}));
    for (float bad : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        list.SetWidth(bad);
        EXPECT_EQ(list.width, 10.0f);
        EXPECT_EQ(list.Count(), 1u);
    }
    list.SetWidth(2.5f);
    EXPECT_EQ(list.width, 2.5f);
    EXPECT_EQ(list.Count(), 0u);
    SBandRange b{};
    ASSERT_TRUE(list.Band(2, b));
    EXPECT_EQ(b.low, 5.0f);
    EXPECT_EQ(b.high, 7.5f);
}


TEST(CBandList, RefusesBandsBeyondTheLimit)
{
    CBandList list;
    for (uint32_t i = 0; i < CBandList::kMaxBands; ++i)
        ASSERT_TRUE(list.Insert({float(i), float(i + 1)}));
    EXPECT_FALSE(list.Insert({0, 1}));
    EXPECT_EQ(list.Count(), CBandList::kMaxBands);
}
