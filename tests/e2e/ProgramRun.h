#pragma once
// Runs the built program as a person would, with its own environment, and reads back its
// standard error and exit status.
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

// The program built beside the tests: build/app/sonalyx next to build/tests/.
inline std::string ProgramPath()
{
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(n > 0 ? size_t(n) : 0);
    const size_t slash = self.rfind('/');
    return self.substr(0, slash == std::string::npos ? 0 : slash) + "/../app/sonalyx";
}

// A run of the program with its standard error read back through a pipe. `env` entries
// ("NAME=value") replace the test's own; the program never sees SONALYX_RESOURCE_FILE unless
// it is given here.
class ProgramRun {
public:
    explicit ProgramRun(std::vector<std::string> env = {}, std::vector<std::string> args = {})
    {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
        std::vector<std::string> merged;
        for (char** e = environ; *e; ++e) {
            const std::string entry(*e);
            const std::string name = entry.substr(0, entry.find('=') + 1);
            bool replaced = name == "SONALYX_RESOURCE_FILE=";
            for (const std::string& given : env)
                replaced |= given.rfind(name, 0) == 0;
            if (!replaced)
                merged.push_back(entry);
        }
        merged.insert(merged.end(), env.begin(), env.end());
        std::vector<char*> envp;
        for (auto& e : merged)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = ProgramPath();
        std::vector<char*> argv{program.data()};
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0;
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
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

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
    // Everything written to standard error; call after the program ended.
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
