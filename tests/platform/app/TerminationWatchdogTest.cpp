// The watchdog of the termination signals: a main loop that does not take a signal within its
// time is ended with one line; a loop that takes it is left alone.
#include "platform/app/TerminationSignals.h"
#include "platform/runloop/RunLoop.h"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

using TerminationWatchdogDeathTest = testing::Test;

TEST_F(TerminationWatchdogDeathTest, AStuckMainLoopIsEndedWithOneLine)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            plat::TerminationSignals signals;
            raise(SIGTERM);
            sleep(10);   // the main loop never turns: only the watchdog can end this
            _exit(0);
        },
        testing::ExitedWithCode(128 + SIGTERM), "sonalyx: SIGTERM was not answered within 2 s; the program ends now");
}

TEST_F(TerminationWatchdogDeathTest, ASignalTheLoopTookIsNotTheWatchdogsBusiness)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            plat::TerminationSignals signals;
            raise(SIGHUP);
            // The loop takes the signal: a quit request to an application with nothing to ask.
            (void)plat::RunLoop::Current().RunInMode(plat::kModeDefault, 100, true);
            sleep(3);
            _exit(signals.Received() == 1 ? 7 : 8);
        },
        testing::ExitedWithCode(7), "");
}

} // namespace
