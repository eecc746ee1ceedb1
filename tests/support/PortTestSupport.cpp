#include "tests/support/PortTestSupport.h"

#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "platform/runloop/RunLoop.h"
#include "ui/LTimer.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace porttest {

std::unique_ptr<CAsyncLoopThread> MakeQueue()
{
    return std::make_unique<CAsyncLoopThread>([](CRunLoopSignal::Callback callback, void* context) {
        return std::make_unique<CRunLoopSignal>(callback, context);
    });
}

namespace {

void PumpOnce()
{
    plat::RunLoop::Current().RunInMode(plat::kModeDefault, 2, false);
    for (;;) {
        const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
        if (msg.IsConsumed())
            break;
        LMessage::Send(msg);
    }
}

} // namespace

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        PumpOnce();
    }
    return true;
}

void PumpFor(std::chrono::milliseconds span)
{
    const auto end = std::chrono::steady_clock::now() + span;
    do
        PumpOnce();
    while (std::chrono::steady_clock::now() < end);
}

void MessageLog::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LHandler::msgDestructing)) {
        LHandler::HandleMessage(result, msg);
        return;
    }
    if (onMessage && !onMessage(msg)) {
        LHandler::HandleMessage(result, msg);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fSeen.emplace_back(msg.type ? msg.type : "", msg.subject);
    }
    LMessage::Clear(result);
}

int MessageLog::Count(const std::string& type) const
{
    std::lock_guard<std::mutex> lock(fMutex);
    int n = 0;
    for (const auto& seen : fSeen)
        n += seen.first == type;
    return n;
}

std::vector<std::string> MessageLog::Types() const
{
    std::lock_guard<std::mutex> lock(fMutex);
    std::vector<std::string> types;
    for (const auto& seen : fSeen)
        types.push_back(seen.first);
    return types;
}

bool MessageLog::WaitFor(const std::string& type, int count, std::chrono::milliseconds limit)
{
    return PumpUntil([&] { return Count(type) >= count; }, limit);
}

void MessageLog::Clear()
{
    std::lock_guard<std::mutex> lock(fMutex);
    fSeen.clear();
}

namespace {

// A socket of the kind bound to a free loopback port.
int BoundLoopback(int type, uint16_t& port)
{
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    port = ntohs(a.sin_port);
    return fd;
}

} // namespace

uint16_t FreePort()
{
    uint16_t port = 0;
    ::close(BoundLoopback(SOCK_STREAM, port));
    return port;
}

int BoundLoopbackUdp(uint16_t& port) { return BoundLoopback(SOCK_DGRAM, port); }

bool SendLoopbackDatagram(int fd, uint16_t port, const std::string& bytes)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    return ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
           ssize_t(bytes.size());
}

int ConnectLoopback(uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int ListenLoopback(uint16_t& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return -1;
    }
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    port = ntohs(a.sin_port);
    return fd;
}

std::string ReadExactly(int fd, size_t count, std::chrono::milliseconds limit)
{
    std::string out;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (out.size() < count && std::chrono::steady_clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 0) <= 0) {
            PumpOnce(); // what the peer waits for may need the main thread
            continue;
        }
        char buffer[4096];
        const size_t want = std::min(sizeof buffer, count - out.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n <= 0)
            break;
        out.append(buffer, size_t(n));
    }
    return out;
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

Pty OpenPty()
{
    Pty pty;
    pty.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pty.master < 0 || ::grantpt(pty.master) != 0 || ::unlockpt(pty.master) != 0)
        return pty;
    char name[128] = {};
    if (::ptsname_r(pty.master, name, sizeof name) == 0)
        pty.slavePath = name;
    return pty;
}

namespace {

// The folder of the links, one per test process (tests run in parallel processes), made
// before main so that a test that moves TMPDIR to its own temporary home does not move it;
// the variable names every link a test may use. Removed with its links at exit.
class LinkFolderHolder {
public:
    LinkFolderHolder()
    {
        const char* tmp = std::getenv("TMPDIR");
        folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/serial-links-" + std::to_string(::getpid());
        ::mkdir(folder.c_str(), 0700);
        std::string entries;
        for (const char* n : kNames)
            entries += std::string(n) + "=" + folder + "/" + n + ";";
        ::setenv("SONALYX_SERIAL_PORTS", entries.c_str(), 1);
    }
    ~LinkFolderHolder()
    {
        for (const char* n : kNames)
            ::unlink((folder + "/" + n).c_str());
        ::rmdir(folder.c_str());
    }
    static constexpr const char* kNames[] = {"alpha", "beta", "gamma", "telk", "lines", "device", "Wiimote Pad"};
    std::string folder;
};

const std::string& LinkFolder()
{
    static const LinkFolderHolder holder;
    return holder.folder;
}

// Made before any test runs, while the environment is the process's own.
[[maybe_unused]] const std::string& gLinkFolderAtStart = LinkFolder();

} // namespace

std::string SerialLinkFor(const std::string& name) { return LinkFolder() + "/" + name; }

CSerialPortSpec SpecNamed(const char* name)
{
    CSerialPortSpec fileSpec;
    fileSpec.name = LStringRef(name);
    return fileSpec;
}

void PointSerialName(const std::string& name, const std::string& devicePath)
{
    const std::string link = SerialLinkFor(name);
    const std::string fresh = link + ".new";
    ::unlink(fresh.c_str());
    if (::symlink(devicePath.c_str(), fresh.c_str()) == 0)
        ::rename(fresh.c_str(), link.c_str()); // atomic: a reader sees the old or the new device
}

SocatDevice::~SocatDevice() { Unplug(); }

bool SocatDevice::Plug(const std::string& linkPath, std::chrono::milliseconds limit)
{
    Unplug();
    int toDevice[2];
    int fromDevice[2];
    if (::pipe2(toDevice, O_CLOEXEC) != 0)
        return false;
    if (::pipe2(fromDevice, O_CLOEXEC) != 0) {
        ::close(toDevice[0]);
        ::close(toDevice[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toDevice[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromDevice[1], 1);
    const std::string pty = "pty,link=" + linkPath + ",raw,echo=0";
    const char* argv[] = {"socat", pty.c_str(), "STDIO", nullptr};
    const int rc = ::posix_spawnp(&fPid, "socat", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(toDevice[0]);
    ::close(fromDevice[1]);
    fIn = toDevice[1];
    fOut = fromDevice[0];
    ::fcntl(fOut, F_SETFL, O_NONBLOCK);
    if (rc != 0) {
        fPid = -1;
        Unplug();
        return false;
    }
    const auto end = std::chrono::steady_clock::now() + limit;
    struct stat st {};
    while (::stat(linkPath.c_str(), &st) != 0) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

void SocatDevice::Unplug()
{
    if (fPid > 0) {
        ::kill(fPid, SIGTERM);
        ::waitpid(fPid, nullptr, 0);
        fPid = -1;
    }
    for (int* fd : {&fIn, &fOut}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

bool SocatDevice::Write(const std::string& bytes)
{
    size_t done = 0;
    while (fIn >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(fIn, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return done == bytes.size();
}

std::string SocatDevice::TakeSent()
{
    std::string out;
    char buffer[4096];
    ssize_t n = 0;
    while (fOut >= 0 && (n = ::read(fOut, buffer, sizeof buffer)) > 0)
        out.append(buffer, size_t(n));
    return out;
}

PythonPeer::~PythonPeer()
{
    if (fPid > 0) {
        ::kill(fPid, SIGKILL);
        ::waitpid(fPid, nullptr, 0);
    }
    if (fOut >= 0)
        ::close(fOut);
}

bool PythonPeer::Start(const std::string& script, std::chrono::milliseconds limit)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    const char* argv[] = {"python3", "-u", "-c", script.c_str(), nullptr};
    const int rc = ::posix_spawnp(&fPid, "python3", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    fOut = pipeEnds[0];
    if (rc != 0) {
        fPid = -1;
        return false;
    }
    fFirstLine = ReadLine(limit);
    return !fFirstLine.empty();
}

std::string PythonPeer::ReadLine(std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        const size_t nl = fPending.find('\n');
        if (nl != std::string::npos) {
            std::string line = fPending.substr(0, nl);
            fPending.erase(0, nl + 1);
            return line;
        }
        pollfd p{fOut, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(fOut, buffer, sizeof buffer);
        if (n <= 0)
            break;
        fPending.append(buffer, size_t(n));
    }
    return {};
}

std::string PythonPeer::Finish(std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    std::string out = fPending;
    fPending.clear();
    while (std::chrono::steady_clock::now() < end) {
        pollfd p{fOut, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(fOut, buffer, sizeof buffer);
        if (n <= 0) {
            ::waitpid(fPid, nullptr, 0);
            fPid = -1;
            return out;
        }
        out.append(buffer, size_t(n));
    }
    return {};
}

} // namespace porttest
