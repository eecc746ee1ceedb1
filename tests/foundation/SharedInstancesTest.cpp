#include "foundation/core/LList.h"
#include "foundation/core/LString.h"
#include "foundation/core/LStringRef.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

// Runs in a fresh process (the death-test child), so the shared empty string and the list
// end marker are built here for the first time, by eight threads at once.
void RaceToFirstUse()
{
    std::atomic<bool> go{false};
    std::vector<const void*> empties(8), markers(8);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            while (!go.load()) {
            }
            LStringRef handle;
            empties[t] = LString::Empty();
            markers[t] = SSLink::EndMarker();
        });
    }
    go.store(true);
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < 8; ++t) {
        if (empties[t] != empties[0] || markers[t] != markers[0])
            std::exit(2);
    }
    // Raised once when built; every handle of the threads is gone again.
    if (LString::Empty()->RefCount() != 1 || !SSLink::EndMarker()->IsEnd())
        std::exit(3);
    std::exit(0);
}

} // namespace

TEST(SharedInstances, BuiltOnceWhenThreadsRaceToFirstUse)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RaceToFirstUse(), testing::ExitedWithCode(0), "");
}
