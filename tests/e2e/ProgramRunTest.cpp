#include "tests/e2e/ProgramRun.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>

namespace {

TEST(Program, StartsRunsAndQuitsCleanlyOnTerminate)
{
    ASSERT_EQ(access(ProgramPath().c_str(), X_OK), 0) << "build the program first: " << ProgramPath();
    ProgramRun run;
    ASSERT_TRUE(run.started);
    int status = 0;
    EXPECT_FALSE(run.WaitExit(2, status)) << "the program ended by itself: " << run.ErrorText();
    ASSERT_EQ(kill(run.pid, SIGTERM), 0);
    ASSERT_TRUE(run.WaitExit(30, status)) << "no quit within 30 s of SIGTERM";
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(run.ErrorText(), "");
}

TEST(Program, AMissingResourceFileEndsTheStartWithAClearMessage)
{
    ASSERT_EQ(access(ProgramPath().c_str(), X_OK), 0) << "build the program first: " << ProgramPath();
    const std::string missing = std::string(std::getenv("TMPDIR")) + "/none/Sonalyx.rsrc";
    ProgramRun run({"SONALYX_RESOURCE_FILE=" + missing});
    ASSERT_TRUE(run.started);
    int status = 0;
    ASSERT_TRUE(run.WaitExit(30, status));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(run.ErrorText(), "sonalyx: cannot open the resource file " + missing + ": no such file\n");
}

} // namespace
