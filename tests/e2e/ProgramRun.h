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

// A run of the program with its standard output and error read back through pipes. `env`
// entries ("NAME=value") replace the test's own, names in `unset` are left out; the program
// never sees SONALYX_RESOURCE_FILE unless it is given here, and runs headless
// (SONALYX_HEADLESS=1) unless `unset` names SONALYX_HEADLESS.
class ProgramRun {
public:
    explicit ProgramRun(std::vector<std::string> env = {}, std::vector<std::string> args = {},
                        const std::vector<std::string>& unset = {})
    {
        int fds[2], out[2];
        if (pipe2(fds, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        bool headless = true;
        for (const std::string& name : unset)
            headless &= name != "SONALYX_HEADLESS";
        if (headless)
            env.insert(env.begin(), "SONALYX_HEADLESS=1");
        std::vector<std::string> merged;
        for (char** e = environ; *e; ++e) {
            const std::string entry(*e);
            const std::string name = entry.substr(0, entry.find('=') + 1);
            bool replaced = name == "SONALYX_RESOURCE_FILE=";
            for (const std::string& given : env)
                replaced |= given.rfind(name, 0) == 0;
            for (const std::string& gone : unset)
                replaced |= name == gone + "=";
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
        close(out[1]);
        fErr = fds[0];
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
    // Everything written to standard error or output; call after the program ended.
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
