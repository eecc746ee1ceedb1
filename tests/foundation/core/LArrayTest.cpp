#include "foundation/core/LArray.h"
#include "tests/foundation/FailingAllocations.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

LArray Letters(const char* letters)
{
    LArray a(1);
    for (const char* p = letters; *p; ++p)
        EXPECT_TRUE(a.Append(p));
    return a;
}

std::string Text(const LArray& a)
{
    return std::string(a.Items<char>(), a.Count());
}

} // namespace

TEST(LArray, GrowthIsCountPlusOnePlusMaxOf32AndCountPlusOne)
{
    LArray a(sizeof(int));
    int v = 0;
    ASSERT_TRUE(a.InsertAt(0, &v));
    EXPECT_EQ(a.Capacity(), 33u);
    for (v = 1; v < 33; ++v)
        ASSERT_TRUE(a.Append(&v));
    EXPECT_EQ(a.Capacity(), 33u);
    ASSERT_TRUE(a.Append(&v));
    EXPECT_EQ(a.Capacity(), 34u + 34u);
    for (int i = 0; i < 34; ++i)
        EXPECT_EQ(a.Items<int>()[i], i);
}

TEST(LArray, InsertAndSetClampShiftExtendAndReserveExactly)
{
    LArray a = Letters("ac");
    const char b = 'b', z = 'z';
    ASSERT_TRUE(a.InsertAt(1, &b));
    ASSERT_TRUE(a.InsertAt(1000, &z));
    EXPECT_EQ(Text(a), "abcz");
    ASSERT_TRUE(a.InsertItems(3, "xy", 2));
    EXPECT_EQ(Text(a), "abcxyz");
    LArray exact(4);
    ASSERT_TRUE(exact.InsertItems(0, nullptr, 5));
    ASSERT_TRUE(exact.InsertItems(9, nullptr, 0));
    EXPECT_EQ(std::pair(exact.Count(), exact.Capacity()), std::pair(5u, 5u));

    LArray s = Letters("abcd");
    ASSERT_TRUE(s.SetItems(1, "XY", 2));
    EXPECT_EQ(Text(s), "aXYd");
    ASSERT_TRUE(s.SetItems(3, "PQR", 3));
    EXPECT_EQ(Text(s), "aXYPQR");
    ASSERT_TRUE(s.SetAt(8, "!"));   // the gap is zero-filled
    EXPECT_EQ(Text(s), std::string("aXYPQR\0\0!", 9));
}

TEST(LArray, RemoveAtBoundaries)
{
    // index + n may wrap in 32 bits; the run must still end at the array's end.
    const std::tuple<uint32_t, uint32_t, const char*> cases[] = {
        {5, 1, "abcde"}, {1, 2, "ade"}, {2, 10, "ab"}, {1, UINT32_MAX, "a"}, {3, UINT32_MAX - 1, "abc"}};
    for (const auto& [index, n, left] : cases) {
        LArray a = Letters("abcde");
        a.RemoveAt(index, n);
        EXPECT_EQ(Text(a), left) << index << " " << n;
    }
}

TEST(LArray, SizesPast32BitsOrFailedAllocationsChangeNothing)
{
    LArray a = Letters("abc");
    EXPECT_FALSE(a.SetItems(UINT32_MAX, "xy", 2));
    EXPECT_FALSE(a.InsertItems(0, nullptr, UINT32_MAX));
    EXPECT_EQ(Text(a), "abc");
    const uint32_t capacity = a.Capacity();
    FailingAllocations fail;
    EXPECT_FALSE(a.InsertItems(0, nullptr, 100));
    EXPECT_FALSE(a.SetItems(50, "x", 1));
    EXPECT_FALSE(a.SetAll(nullptr, 1000));
    EXPECT_FALSE(a.SetCount(1000));
    EXPECT_EQ(Text(a), "abc");
    EXPECT_EQ(a.Capacity(), capacity);
    LArray full(1);
    EXPECT_FALSE(full.Append("x"));
    EXPECT_EQ(full.Count(), 0u);
}

TEST(LArray, MoveItemPlacesTheItemAtItsNewIndexAndMovedArraysKeepWorking)
{
    const auto moved = [](uint32_t from, uint32_t to) {
        char scratch;
        LArray a = Letters("ABCD");
        a.MoveItem(from, to, &scratch);
        return Text(a);
    };
    EXPECT_EQ(moved(0, 3), "BCDA");
    EXPECT_EQ(moved(3, 0), "DABC");
    EXPECT_EQ(moved(1, 2), "ACBD");
    EXPECT_EQ(moved(1, 1), "ABCD");
    EXPECT_EQ(moved(1, 4), "ABCD");   // past the end: nothing

    LArray a = Letters("abc");
    LArray b(std::move(a));
    EXPECT_EQ(a.Count(), 0u);
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(b.Append("x"));
    EXPECT_EQ(b.Count(), 103u);
    EXPECT_EQ(Text(b).substr(0, 4), "abcx");
    ASSERT_TRUE(a.Append("q"));
    EXPECT_EQ(Text(a), "q");
}

TEST(LArray, SourceInsideTheArraySurvivesGrowth)
{
    LArray a(sizeof(int));
    for (int i = 0; i < 33; ++i)   // full: the next insertion moves the storage
        ASSERT_TRUE(a.Append(&i));
    ASSERT_TRUE(a.InsertAt(0, a.At(32)));
    EXPECT_EQ(a.Items<int>()[0], 32);
    ASSERT_TRUE(a.InsertItems(a.Count(), a.Data(), a.Count()));
    ASSERT_EQ(a.Count(), 68u);
    EXPECT_EQ(std::pair(a.Items<int>()[34], a.Items<int>()[35]), std::pair(32, 0));
    ASSERT_TRUE(a.SetItems(200, a.At(1), 2));
    EXPECT_EQ(std::pair(a.Items<int>()[200], a.Items<int>()[201]), std::pair(0, 1));
    ASSERT_TRUE(a.SetAll(a.At(1), 3));
    EXPECT_EQ(a.Items<int>()[2], 2);
}
