#include "foundation/core/LHandleData.h"
#include "foundation/core/LRef.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Counts how often objects of this class were destroyed.
class Counted : public LHandleData {
public:
    explicit Counted(std::atomic<int>& deaths) : fDeaths(deaths) {}
    ~Counted() override { fDeaths.fetch_add(1); }
    LRef inner;   // lets a test make one object hold another

private:
    std::atomic<int>& fDeaths;
};

} // namespace

TEST(LRef, CountsRiseFromZeroSurviveSelfAssignmentAndMovesAndTheLastFrees)
{
    std::atomic<int> deaths{0};
    auto* obj = new Counted(deaths);
    EXPECT_EQ(obj->RefCount(), 0);
    {
        LRef a(obj);
        EXPECT_EQ(obj->RefCount(), 1);
        LRef b(a);
        EXPECT_EQ(obj->RefCount(), 2);
        a.Release();
        EXPECT_FALSE(a);
        EXPECT_EQ(obj->RefCount(), 1);
        EXPECT_EQ(deaths, 0);
    }
    EXPECT_EQ(deaths, 1);

    LRef a(new Counted(deaths));
    LRef& alias = a;
    a = alias;
    a.Assign(a.Get());
    a.AssignFrom(a);
    a = std::move(alias);
    ASSERT_TRUE(a);
    EXPECT_EQ(a.Get()->RefCount(), 1);
    EXPECT_EQ(deaths, 1);

    // Moving transfers without touching the count.
    LHandleData* moved = a.Get();
    LRef target(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(target.Get(), moved);
    EXPECT_EQ(moved->RefCount(), 1);
    LRef c;
    c = std::move(target);
    EXPECT_EQ(moved->RefCount(), 1);
    c = LRef();
    EXPECT_EQ(deaths, 2);

    // Assign retains the new object before releasing the old one, which holds the only
    // other handle to the new one.
    auto* outer = new Counted(deaths);
    auto* held = new Counted(deaths);
    outer->inner.Assign(held);
    LRef handle(outer);
    handle.Assign(held);
    EXPECT_EQ(deaths, 3);
    ASSERT_EQ(handle.Get(), held);
    EXPECT_EQ(held->RefCount(), 1);
}

// Eight threads copy and drop handles to one object; the count must come back exactly.
TEST(LRefThreads, EightThreadsCopyAndDropWithoutLosingCountsAndTheLastReleaseFreesOnce)
{
    std::atomic<int> deaths{0};
    LRef shared(new Counted(deaths));
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&shared] {
            for (int i = 0; i < 20000; ++i) {
                LRef copy(shared);
                LRef second;
                second = copy;
                copy.Release();
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(shared.Get()->RefCount(), 1);
    EXPECT_EQ(deaths, 0);
    shared.Release();
    EXPECT_EQ(deaths, 1);

    std::atomic<int> racing{0};
    for (int round = 0; round < 200; ++round) {
        std::vector<LRef> handles(8, LRef(new Counted(racing)));
        std::atomic<bool> go{false};
        std::vector<std::thread> racers;
        for (auto& handle : handles) {
            racers.emplace_back([&handle, &go] {
                while (!go.load()) {
                }
                handle.Release();
            });
        }
        go.store(true);
        for (auto& thread : racers)
            thread.join();
    }
    EXPECT_EQ(racing, 200);
}
