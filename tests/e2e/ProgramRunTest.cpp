#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// The program built beside the tests: build/app/sonalyx next to build/tests/.
std::string ProgramPath()
{
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(n > 0 ? size_t(n) : 0);
    const size_t slash = self.rfind('/');
    return self.substr(0, slash == std::string::npos ? 0 : slash) + "/../app/sonalyx";
}

// What a run starts with besides the test's own environment.
struct RunSetup {
    std::vector<std::string> extraEnv;          // NAME=value, added last
    std::vector<std::string> args;              // after the program name
    std::vector<std::string> unset;             // names left out of the environment
};

// A run of the program with its standard output and error read back through pipes. Runs
// are headless (SONALYX_HEADLESS=1) unless the setup leaves that name out.
class ProgramRun {
public:
    explicit ProgramRun(RunSetup setup = {})
    {
        int err[2], out[2];
        if (pipe2(err, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        setup.unset.push_back("SONALYX_RESOURCE_FILE");
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e) {
            const std::string entry(*e);
            const std::string name = entry.substr(0, entry.find('='));
            if (std::find(setup.unset.begin(), setup.unset.end(), name) == setup.unset.end()
                && name != "SONALYX_HEADLESS")
                env.push_back(entry);
        }
        if (std::find(setup.unset.begin(), setup.unset.end(), "SONALYX_HEADLESS") == setup.unset.end())
            env.emplace_back("SONALYX_HEADLESS=1");
        for (auto& e : setup.extraEnv)
            env.push_back(e);
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = ProgramPath();
        std::vector<char*> argv{program.data()};
        for (auto& a : setup.args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0;
        posix_spawn_file_actions_destroy(&actions);
        close(err[1]);
        close(out[1]);
        fErr = err[0];
        fOut = out[0];
    }
    ~ProgramRun()
    {
        if (started && !fReaped) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (fErr >= 0)
            close(fErr);
        if (fOut >= 0)
            close(fOut);
    }
    // Waits at most `seconds` for the program to end; false when it still runs.
    bool WaitExit(int seconds, int& status)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                fReaped = true;
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    std::string ErrorText() { return ReadAll(fErr); }
    std::string OutputText() { return ReadAll(fOut); }

    pid_t pid = -1;
    bool started = false;

private:
    static std::string ReadAll(int fd)
    {
        std::string text;
        char buffer[512];
        ssize_t n;
        while (fd >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0)
            text.append(buffer, size_t(n));
        return text;
    }

    int fErr = -1;
    int fOut = -1;
    bool fReaped = false;
};

// Runs the program to its end (at most 30 s); false when it did not end.
bool RunToEnd(ProgramRun& run, int& exitStatus)
{
    int status = 0;
    if (!run.started || !run.WaitExit(30, status) || !WIFEXITED(status))
        return false;
    exitStatus = WEXITSTATUS(status);
    return true;
}

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
    ProgramRun run({{"SONALYX_RESOURCE_FILE=" + missing}, {}, {}});
    ASSERT_TRUE(run.started);
    int status = 0;
    ASSERT_TRUE(run.WaitExit(30, status));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(run.ErrorText(), "sonalyx: cannot open the resource file " + missing + ": no such file\n");
}

TEST(Program, WithoutADisplayPrintsOneLineAndEndsWithStatusTwo)
{
    ProgramRun run({{}, {}, {"SONALYX_HEADLESS", "DISPLAY", "WAYLAND_DISPLAY"}});
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
        ProgramRun run({{}, c.args, {"SONALYX_HEADLESS", "DISPLAY"}});
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
    ProgramRun run({{}, {"--help"}, {}});
    int exitStatus = -1;
    ASSERT_TRUE(RunToEnd(run, exitStatus));
    const std::string usage = run.OutputText();
    for (const char* name : {"DISPLAY", "SONALYX_HEADLESS", "SONALYX_RESOURCE_FILE", "SONALYX_SUPPORT_DIR",
                             "SONALYX_SERIAL_PORTS", "SONALYX_SYSFS_ROOT", "HOME", "USER", "XDG_CONFIG_HOME",
                             "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR", "TMPDIR", "LANGUAGE", "LC_ALL",
                             "LC_MESSAGES", "LANG", "PATH", ".snx", ".tks", "--"})
        EXPECT_NE(usage.find(name), std::string::npos) << name;
}

TEST(Program, DoubleDashEndsTheOptionsSoADashNamedFileIsAFile)
{
    ProgramRun run({{}, {"--", "-x.snx"}, {}});
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
