#include "tests/shell/app/AppBaseKit.h"
#include "controls/settings/CSimpleProgressDialog.h"
#include "controls/settings/RunLengthyTask.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// What a task does on its worker: lets virtual time pass, optionally waits until the main
// thread has shown the wait dialog (bounded, so a missing dialog fails instead of hanging),
// then answers.
struct Job {
    plat::VirtualClock* clock = nullptr;
    uint64_t takesMs = 0;
    bool waitForDialog = false;
    std::atomic<bool> dialogShown{false};
    std::atomic<bool> returned{false};
    std::thread::id ranOn;
    int32_t answer = 0;
};

int32_t RunJob(void* argument)
{
    auto* job = static_cast<Job*>(argument);
    job->ranOn = std::this_thread::get_id();
    job->clock->AdvanceMs(job->takesMs);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (job->waitForDialog && !job->dialogShown && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    job->returned = true;
    return job->answer;
}

class LengthyTask : public AppBaseTest {
protected:
    LengthyTask()
    {
        job.clock = &clock.clock();
        app->onModalStep = [this](LModalDialog& dialog) {
            if (auto* wait = dynamic_cast<CSimpleProgressDialog*>(&dialog)) {
                message = wait->Message().Text().Text();
                EXPECT_FALSE(job.returned) << "the dialog comes while the call still runs";
                job.dialogShown = true;
            }
        };
    }
    Job job;
    std::string message;
};

TEST_F(LengthyTask, AQuickCallShowsNoDialog)
{
    job.takesMs = 900;
    job.answer = 17;
    EXPECT_EQ(RunLengthyTask(&job, RunJob), 17);
    EXPECT_EQ(app->modalSteps, 0);
    EXPECT_NE(job.ranOn, std::this_thread::get_id()) << "the call runs on a worker";
}

TEST_F(LengthyTask, ASlowCallShowsTheWaitDialogUntilItReturns)
{
    job.takesMs = 1500;
    job.waitForDialog = true;
    job.answer = -3;
    EXPECT_EQ(RunLengthyTask(&job, RunJob), -3);
    EXPECT_TRUE(job.dialogShown);
    EXPECT_TRUE(job.returned);
    EXPECT_GE(app->modalSteps, 1);
    EXPECT_LT(app->modalSteps, RecordingAppBase::kMaxSteps);
    EXPECT_EQ(message, "Please wait while the device is being opened or closed…");
    EXPECT_EQ(CDesktop::FindWindowOfLayer(3), nullptr) << "the dialog is gone afterwards";
}

TEST(RunLengthyTask, WithoutAnApplicationTheCallerJustWaits)
{
    plat::ScopedVirtualClock clock(0);
    Job job;
    job.clock = &clock.clock();
    job.takesMs = 5000;
    job.answer = 8;
    EXPECT_EQ(RunLengthyTask(&job, RunJob), 8);
    EXPECT_TRUE(job.returned);
}

} // namespace
