#include "platform/system/UrlLauncher.h"
#include "platform/system/OwnEnvironment.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

constexpr const char* kOpener = "xdg-open";

struct Recorder {
    std::mutex lock;
    std::function<void(const std::string&)> record;
};

Recorder& TheRecorder()
{
    static Recorder recorder;
    return recorder;
}

std::function<void(const std::string&)> InstalledRecorder()
{
    Recorder& recorder = TheRecorder();
    std::lock_guard guard(recorder.lock);
    return recorder.record;
}

bool OpenerOnPath()
{
    const char* path = std::getenv("PATH");
    if (!path)
        return false;
    const std::string dirs(path);
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t colon = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = colon > start ? dirs.substr(start, colon - start) : ".";
        if (access((dir + "/" + kOpener).c_str(), X_OK) == 0)
            return true;
        start = colon + 1;
    }
    return false;
}

// The opener's standard input reads nothing; its output goes where the program's goes, and it
// gets the user's environment without what the program set for its own libraries.
bool Spawn(const std::string& url, pid_t& pid)
{
    std::vector<std::string> entries = OwnEnvironment::ForChildren();
    std::vector<char*> environment;
    for (std::string& entry : entries)
        environment.push_back(entry.data());
    environment.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    char* argv[] = {const_cast<char*>(kOpener), const_cast<char*>(url.c_str()), nullptr};
    const int result = posix_spawnp(&pid, kOpener, &actions, nullptr, argv, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    return result == 0;
}

} // namespace

bool UrlLauncher::Available()
{
    return InstalledRecorder() || OpenerOnPath();
}

bool UrlLauncher::Open(std::string_view url)
{
    // A leading '-' would make the opener read the address as one of its options.
    if (url.empty() || url.front() == '-' || url.find('\0') != std::string_view::npos)
        return false;
    const std::string text(url);
    if (auto record = InstalledRecorder()) {
        record(text);
        return true;
    }
    pid_t pid = 0;
    if (!Spawn(text, pid))
        return false;
    // The opener hands the address to a browser and exits; reap it so no zombie stays.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

void UrlLauncher::SetRecorder(std::function<void(const std::string&)> recorder)
{
    Recorder& r = TheRecorder();
    std::lock_guard guard(r.lock);
    r.record = std::move(recorder);
}

} // namespace plat
