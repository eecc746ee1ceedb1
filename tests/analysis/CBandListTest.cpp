#include "analysis/CBandList.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using P = std::pair<float, float>;

std::vector<P> Bands(const CBandList& list)
{
    std::vector<P> out;
    SBandRange b{};
    for (uint32_t i = 0; list.Band(i, b); ++i)
        out.emplace_back(b.low, b.high);
    return out;
}
// Band i, or {-1, -1} when the list has none there.
P At(const CBandList& list, uint32_t i)
{
    SBandRange b{};
    return list.Band(i, b) ? P{b.low, b.high} : P{-1, -1};
}

} // namespace

TEST(CBandList, FixedWidthBandsStartAtZeroAndNeverEnd)
{
    CBandList list;
    EXPECT_EQ(list.width, 10.0f);
    EXPECT_EQ(At(list, 0), (P{0, 10}));
    EXPECT_EQ(At(list, 1000000), (P{10000000, 10000010}));
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
    EXPECT_EQ(At(list, 2), (P{5, 7.5f}));
}

TEST(CBandList, RefusesBandsBeyondTheLimit)
{
    CBandList list;
    for (uint32_t i = 0; i < CBandList::kMaxBands; ++i)
        ASSERT_TRUE(list.Insert({float(i), float(i + 1)}));
    EXPECT_FALSE(list.Insert({0, 1}));
    EXPECT_EQ(list.Count(), CBandList::kMaxBands);
}
