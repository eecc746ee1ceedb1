// The whole program on the X server: its windows appear, its menus answer the keyboard.
#include "tests/display/DesktopFixture.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

TEST_F(DesktopTest, TheProgramShowsItsMenuWindowOpensADocumentAndQuitsWithCtrlQ)
{
    std::string program = ProgramPath();
    char* argv[] = {program.data(), nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
    auto windowNamed = [&](const char* pattern) {
        std::string found;
        return RunTool({"xdotool", "search", "--onlyvisible", "--name", pattern}, &found) == 0 && !found.empty();
    };
    // With no document the small window carries the menu bar.
    EXPECT_TRUE(RunUntil([&] { return windowNamed("^Sonalyx$") || windowNamed("^untitled"); }, 15000));
    fX.Tap("n", {"Control_L"});
    EXPECT_TRUE(RunUntil([&] { return windowNamed("^untitled"); }, 15000));
    fX.Tap("q", {"Control_L"});
    int status = 0;
    const bool ended = RunUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 15000);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(ended) << "Ctrl+Q did not quit";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
