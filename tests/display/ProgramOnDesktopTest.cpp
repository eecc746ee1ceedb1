// The whole program on the X server: its windows appear, its menus answer the keyboard.
#include "tests/display/DesktopFixture.h"
#include "tests/display/ProgramProcess.h"

#include <sys/wait.h>

TEST_F(DesktopTest, TheProgramShowsItsMenuWindowOpensADocumentAndQuitsWithCtrlQ)
{
    ProgramHome home;
    ProgramProcess program(home);
    ASSERT_TRUE(program.Started());
    auto windowNamed = [&](const char* pattern) {
        std::string found;
        return RunTool({"xdotool", "search", "--onlyvisible", "--name", pattern}, &found) == 0 && !found.empty();
    };
    // With no document the small window carries the menu bar.
    EXPECT_TRUE(RunUntil([&] { return windowNamed("^Sonalyx$") || windowNamed("^untitled"); }, 15000));
    fX.Tap("n", {"Control_L"});
    EXPECT_TRUE(RunUntil([&] { return windowNamed("^untitled"); }, 15000));
    fX.Tap("q", {"Control_L"});
    ASSERT_TRUE(RunUntil([&] { return !program.Alive(); }, 15000)) << "Ctrl+Q did not quit";
    EXPECT_TRUE(WIFEXITED(program.Status()) && WEXITSTATUS(program.Status()) == 0);
}
