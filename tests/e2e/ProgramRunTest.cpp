#include "tests/e2e/ProgramRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// In an empty home whose folders all follow from HOME (the libraries' cache folder stays the
// test's own), a start and a quit leave nothing there but the preferences file.
TEST(Program, StartsRunsAndQuitsCleanlyOnTerminate)
{
    ASSERT_EQ(access(ProgramPath().c_str(), X_OK), 0) << "build the program first: " << ProgramPath();
    const std::string home = std::string(std::getenv("TMPDIR")) + "/empty-home";
    std::filesystem::create_directories(home);
    ProgramRun run({"HOME=" + home}, {},
                   {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR"});
    ASSERT_TRUE(run.started);
    int status = 0;
    EXPECT_FALSE(run.WaitExit(2, status)) << "the program ended by itself: " << run.ErrorText();
    ASSERT_EQ(kill(run.pid, SIGTERM), 0);
    ASSERT_TRUE(run.WaitExit(30, status)) << "no quit within 30 s of SIGTERM";
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(run.ErrorText(), "");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home))
        left.push_back(entry.path().string().substr(home.size()));
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"/.config", "/.config/sonalyx", "/.config/sonalyx/sonalyx.plist"}));
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

// Runs the program to its end (at most 30 s); false when it did not end.
bool RunToEnd(ProgramRun& run, int& exitStatus)
{
    int status = 0;
    if (!run.started || !run.WaitExit(30, status) || !WIFEXITED(status))
        return false;
    exitStatus = WEXITSTATUS(status);
    return true;
}

TEST(Program, WithoutADisplayPrintsOneLineAndEndsWithStatusTwo)
{
    ProgramRun run({}, {}, {"SONALYX_HEADLESS", "DISPLAY", "WAYLAND_DISPLAY"});
    int exitStatus = -1;
    ASSERT_TRUE(RunToEnd(run, exitStatus));
    EXPECT_EQ(exitStatus, 2);
    const std::string text = run.ErrorText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_EQ(text.rfind("sonalyx: needs an X display", 0), 0u) << text;
    EXPECT_NE(text.find("xvfb-run sonalyx"), std::string::npos) << text;
}

TEST(Program, OptionsAnswerBeforeTheProgramStarts)
{
    struct Case {
        std::vector<std::string> args;
        int exitStatus;
        const char* outputHas;
        const char* errorHas;
    };
    const Case cases[] = {
        {{"--help"}, 0, "SONALYX_HEADLESS", ""},
        {{"-h"}, 0, ".tks", ""},
        {{"--version"}, 0, "sonalyx ", ""},
        {{"--bogus"}, 2, "", "sonalyx: unknown option --bogus"},
        {{"a.snx", "-x"}, 2, "", "unknown option -x"},
    };
    for (const Case& c : cases) {
        // Without a display: options are answered before the display is needed.
        ProgramRun run({}, c.args, {"SONALYX_HEADLESS", "DISPLAY"});
        int exitStatus = -1;
        ASSERT_TRUE(RunToEnd(run, exitStatus)) << c.args[0];
        EXPECT_EQ(exitStatus, c.exitStatus) << c.args[0];
        const std::string out = run.OutputText(), err = run.ErrorText();
        EXPECT_NE(out.find(c.outputHas), std::string::npos) << out;
        EXPECT_NE(err.find(c.errorHas), std::string::npos) << err;
        if (c.exitStatus == 2) {
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        }
    }
}

TEST(Program, HelpNamesEveryEnvironmentSettingTheProgramReads)
{
    ProgramRun run({}, {"--help"});
    int exitStatus = -1;
    ASSERT_TRUE(RunToEnd(run, exitStatus));
    const std::string usage = run.OutputText();
    for (const char* name : {"DISPLAY", "SONALYX_HEADLESS", "SONALYX_RESOURCE_FILE", "SONALYX_SUPPORT_DIR",
                             "SONALYX_SERIAL_PORTS", "SONALYX_SYSFS_ROOT", "HOME", "USER", "XDG_CONFIG_HOME",
                             "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR", "XDG_RUNTIME_DIR", "TMPDIR", "LANGUAGE", "LC_ALL",
                             "LC_MESSAGES", "LANG", "PATH", ".snx", ".tks", "--"})
        EXPECT_NE(usage.find(name), std::string::npos) << name;
}

TEST(Program, DoubleDashEndsTheOptionsSoADashNamedFileIsAFile)
{
    ProgramRun run({}, {"--", "-x.snx"});
    ASSERT_TRUE(run.started);
    int status = 0;
    EXPECT_FALSE(run.WaitExit(2, status)) << "the program ended by itself: " << run.ErrorText();
    ASSERT_EQ(kill(run.pid, SIGTERM), 0);
    ASSERT_TRUE(run.WaitExit(30, status));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(run.ErrorText().find("unknown option"), std::string::npos);
}

} // namespace
