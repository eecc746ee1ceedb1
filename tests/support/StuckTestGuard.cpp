#include "tests/support/StuckTestGuard.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

StuckTestGuard::StuckTestGuard(std::chrono::seconds limit) : fLimit(limit), fThread([this] { Watch(); }) {}

StuckTestGuard::~StuckTestGuard()
{
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fStop = true;
    }
    fWake.notify_all();
    fThread.join();
}

void StuckTestGuard::InstallFromEnvironment()
{
    const char* text = std::getenv("SONALYX_TEST_LIMIT_S");
    const long seconds = text ? std::strtol(text, nullptr, 10) : 0;
    if (seconds <= 0)
        return;
    // gtest owns and deletes the listener when the program ends.
    testing::UnitTest::GetInstance()->listeners().Append(new StuckTestGuard(std::chrono::seconds(seconds)));
}

void StuckTestGuard::OnTestStart(const testing::TestInfo& info)
{
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fRunning = std::string(info.test_suite_name()) + "." + info.name();
        fDeadline = std::chrono::steady_clock::now() + fLimit;
    }
    fWake.notify_all();
}

void StuckTestGuard::OnTestEnd(const testing::TestInfo&)
{
    std::lock_guard<std::mutex> lock(fMutex);
    fRunning.clear();
}

void StuckTestGuard::Watch()
{
    std::unique_lock<std::mutex> lock(fMutex);
    while (!fStop) {
        if (fRunning.empty()) {
            fWake.wait(lock);
            continue;
        }
        if (fWake.wait_until(lock, fDeadline) == std::cv_status::timeout && !fRunning.empty()
            && std::chrono::steady_clock::now() >= fDeadline) {
            std::fprintf(stderr, "%s ran past its limit of %lld s and was stopped\n", fRunning.c_str(),
                         static_cast<long long>(fLimit.count()));
            std::fflush(stderr);
            _exit(1);
        }
    }
}
