#include <gtest/gtest.h>

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

// A run of the program with its standard error read back through a pipe.
class ProgramRun {
public:
    explicit ProgramRun(std::vector<std::string> extraEnv = {})
    {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e)
            if (std::string(*e).rfind("SONALYX_RESOURCE_FILE=", 0) != 0)
                env.emplace_back(*e);
        for (auto& e : extraEnv)
            env.push_back(e);
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = ProgramPath();
        char* argv[] = {program.data(), nullptr};
        started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) == 0;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        fErr = fds[0];
    }
    ~ProgramRun()
    {
        if (started && !fReaped) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (fErr >= 0)
            close(fErr);
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
    std::string ErrorText()
    {
        std::string text;
        char buffer[512];
        ssize_t n;
        while ((n = read(fErr, buffer, sizeof buffer)) > 0)
            text.append(buffer, size_t(n));
        return text;
    }

    pid_t pid = -1;
    bool started = false;

private:
    int fErr = -1;
    bool fReaped = false;
};

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
