#include "foundation/core/LRef.h"
#include "foundation/core/LTimerPool.h"

#include <gtest/gtest.h>

#include <tuple>

#include <atomic>
#include <thread>
#include <vector>

namespace {

std::atomic<int> gRecordDeaths{0};
std::atomic<int> gPoolDeaths{0};

class Record : public LPooledRecord {
public:
    ~Record() override { ++gRecordDeaths; }
};

class Pool : public LTimerPool {
public:
    ~Pool() override { ++gPoolDeaths; }
    std::atomic<int> made{0};

protected:
    LPooledRecord* MakeRecord() override
    {
        ++made;
        return new Record;
    }
};

} // namespace

TEST(LTimerPool, TakeMakesRecordWhenEmptyAndReusesGivenBack)
{
    gRecordDeaths = 0;
    gPoolDeaths = 0;
    {
        auto* pool = new Pool;
        LTypedRef<Pool> owner(pool);
        LPooledRecord* first = pool->Take();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->Pool(), pool);
        // The pool is held by its owner and the record in use.
        EXPECT_EQ(std::tuple(pool->made.load(), first->RefCount(), pool->RefCount()), std::tuple(1, 1, 2));
        first->Release();                 // count 0: back to the pool
        EXPECT_EQ(std::pair(pool->FreeCount(), pool->RefCount()), std::pair(1u, 1));
        LPooledRecord* again = pool->Take();
        EXPECT_EQ(again, first);
        EXPECT_EQ(std::pair(again->RefCount(), pool->made.load()), std::pair(1, 1));
        again->Release();
        EXPECT_EQ(gRecordDeaths, 0);
    }
    EXPECT_EQ(gPoolDeaths, 1);
    EXPECT_EQ(gRecordDeaths, 1);   // the free record went with the pool
}

TEST(LTimerPool, RecordsInUseKeepThePoolAliveAndRecordsWithoutOneAreDeleted)
{
    gRecordDeaths = 0;
    gPoolDeaths = 0;
    auto* pool = new Pool;
    LTypedRef<Pool> owner(pool);
    LPooledRecord* held = pool->Take();   // the taker owns the one count it carries
    owner.Release();
    EXPECT_EQ(gPoolDeaths, 0);
    LRef extra(held);
    held->Release();
    EXPECT_EQ(gPoolDeaths, 0);
    extra.Release();
    EXPECT_EQ(gPoolDeaths, 1);
    EXPECT_EQ(gRecordDeaths, 1);

    LRef r(new Record);   // a record without a pool is deleted
    r.Release();
    EXPECT_EQ(gRecordDeaths, 2);
}

TEST(LTimerPoolThreads, EightThreadsTakeAndGiveBack)
{
    gRecordDeaths = 0;
    gPoolDeaths = 0;
    auto* pool = new Pool;
    int poolMade = 0;
    {
        LTypedRef<Pool> owner(pool);
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t) {
            threads.emplace_back([pool] {
                for (int i = 0; i < 5000; ++i) {
                    LPooledRecord* a = pool->Take();
                    LPooledRecord* b = pool->Take();
                    ASSERT_NE(a, b);
                    a->Release();
                    b->Release();
                }
            });
        }
        for (auto& thread : threads)
            thread.join();
        EXPECT_LE(pool->made, 16);
        EXPECT_EQ(pool->FreeCount(), static_cast<uint32_t>(pool->made.load()));
        EXPECT_EQ(pool->RefCount(), 1);
        poolMade = pool->made;
    }
    EXPECT_EQ(gPoolDeaths, 1);
    EXPECT_EQ(gRecordDeaths, poolMade);
}
