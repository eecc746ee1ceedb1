#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// Ends the test process with one line naming the test when a test runs past its limit: a
// test stuck in a loop it cannot leave (a dialog nobody closes) then fails at once, by name,
// instead of holding its whole ctest entry until the entry's timeout.
class StuckTestGuard : public testing::EmptyTestEventListener {
public:
    explicit StuckTestGuard(std::chrono::seconds limit);
    ~StuckTestGuard() override;
    StuckTestGuard(const StuckTestGuard&) = delete;
    StuckTestGuard& operator=(const StuckTestGuard&) = delete;

    // Installs a guard when SONALYX_TEST_LIMIT_S names a limit in seconds; none otherwise, so
    // that test programs that count their own threads see none of the guard's.
    static void InstallFromEnvironment();

    void OnTestStart(const testing::TestInfo& info) override;
    void OnTestEnd(const testing::TestInfo& info) override;

private:
    void Watch();

    const std::chrono::seconds fLimit;
    std::mutex fMutex;
    std::condition_variable fWake;
    std::string fRunning; // "" between tests
    std::chrono::steady_clock::time_point fDeadline;
    bool fStop = false;
    std::thread fThread;
};
