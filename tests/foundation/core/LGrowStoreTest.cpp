#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LGrowStore.h"
#include "tests/foundation/FailingAllocations.h"

#include <gtest/gtest.h>

#include <utility>

#include <cstring>

namespace {

struct Owner {
    void* data = reinterpret_cast<void*>(1);   // Init must clear stale values
    uint32_t capacity = 77;
    LGrowStore store;
    ~Owner() { store.Free(); }
};

} // namespace

TEST(LGrowStore, InitResizeAndReserveSizeTheBlock)
{
    Owner o;
    ASSERT_TRUE(o.store.Init(&o.data, &o.capacity, 4, 0));
    EXPECT_EQ(std::pair(o.data, o.capacity), std::pair(static_cast<void*>(nullptr), 0u));
    ASSERT_TRUE(o.store.Init(&o.data, &o.capacity, 4, 10));
    EXPECT_TRUE(o.data != nullptr && o.capacity == 10u);

    Owner r;
    ASSERT_TRUE(r.store.Init(&r.data, &r.capacity, 1, 4));
    std::memcpy(r.data, "abcd", 4);
    ASSERT_TRUE(r.store.Resize(1000, true));
    EXPECT_EQ(std::memcmp(r.data, "abcd", 4), 0);
    ASSERT_TRUE(r.store.Resize(2, false));   // shrinking reallocates in place
    EXPECT_EQ(std::memcmp(r.data, "ab", 2), 0);
    EXPECT_EQ(r.capacity, 2u);
    ASSERT_TRUE(r.store.Resize(0, true));
    EXPECT_EQ(std::pair(r.data, r.capacity), std::pair(static_cast<void*>(nullptr), 0u));

    Owner v;
    ASSERT_TRUE(v.store.Init(&v.data, &v.capacity, 8, 16));
    void* before = v.data;
    ASSERT_TRUE(v.store.Reserve(16, 1000, true));
    EXPECT_EQ(std::pair(v.data, v.capacity), std::pair(before, 16u));
    ASSERT_TRUE(v.store.Reserve(17, 3, true));
    EXPECT_EQ(v.capacity, 20u);
}

TEST(LGrowStore, FailureOrASizeNearTheLimitLeavesBlockAndCapacity)
{
    Owner o;
    ASSERT_TRUE(o.store.Init(&o.data, &o.capacity, 1, 8));
    std::memcpy(o.data, "12345678", 8);
    void* before = o.data;
    {
        FailingAllocations fail;
        EXPECT_FALSE(o.store.Resize(100, true));
        EXPECT_FALSE(o.store.Resize(100, false));
        EXPECT_FALSE(o.store.Reserve(9, 9, true));
    }
    EXPECT_EQ(std::pair(o.data, o.capacity), std::pair(before, 8u));
    EXPECT_EQ(std::memcmp(o.data, "12345678", 8), 0);

    // min + extra past 32 bits asks for the largest capacity instead of a wrapped small one.
    Owner n;
    ASSERT_TRUE(n.store.Init(&n.data, &n.capacity, 16, 4));
    static size_t asked;
    asked = 0;
    LGrowStore::SetAllocGate([](size_t bytes) {
        asked = bytes;
        return false;
    });
    EXPECT_FALSE(n.store.Reserve(UINT32_MAX - 1, UINT32_MAX, true));
    LGrowStore::SetAllocGate(nullptr);
    EXPECT_EQ(asked, size_t{UINT32_MAX} * 16);
    EXPECT_EQ(n.capacity, 4u);
}

TEST(LByteBuffer, SizeIsCapacityAndMoveKeepsBinding)
{
    LByteBuffer a(5);
    EXPECT_EQ(a.Size(), 5u);
    std::memcpy(a.Data(), "hello", 5);
    LByteBuffer b(std::move(a));
    EXPECT_EQ(std::pair(a.Size(), b.Size()), std::pair(0u, 5u));
    ASSERT_TRUE(b.Resize(200, true));   // the moved-to buffer's store writes its own fields
    EXPECT_EQ(b.Size(), 200u);
    EXPECT_EQ(std::memcmp(b.Data(), "hello", 5), 0);
    ASSERT_TRUE(a.Resize(3, false));
    EXPECT_EQ(a.Size(), 3u);
    a = std::move(b);
    EXPECT_EQ(a.Size(), 200u);
    EXPECT_EQ(std::memcmp(a.Data(), "hello", 5), 0);
    ASSERT_TRUE(a.Resize(0, false));
    EXPECT_EQ(a.Data(), nullptr);
}
