#include "platform/app/SingleInstance.h"

#include "platform/app/Application.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/app/OpenRequest.h"
#include "platform/runloop/FdSource.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace plat {

namespace {

// Requests served at once; a further one pushes out the oldest, so stalled peers cannot
// block the socket.
constexpr size_t kMaxConnections = 8;
constexpr int kBacklog = 8;
constexpr char kTakenAnswer = 'K';

std::string EnvFolder(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || value[0] != '/')
        return {};
    struct stat info {};
    return stat(value, &info) == 0 && S_ISDIR(info.st_mode) ? std::string(value) : std::string();
}

// A folder that only this user can enter: made when missing, refused when someone else owns it.
bool MakePrivateFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid())
        return false;
    return (info.st_mode & 077) == 0 || chmod(path.c_str(), 0700) == 0;
}

bool FillAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

int ListenAt(const std::string& path)
{
    sockaddr_un address;
    if (!FillAddress(path, address))
        return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    unlink(path.c_str()); // left behind by a program that is gone: its lock is free
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, kBacklog) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Connects to the running program, trying again while it is still starting to listen.
int ConnectTo(const std::string& path, std::chrono::steady_clock::time_point deadline)
{
    sockaddr_un address;
    if (!FillAddress(path, address))
        return -1;
    while (true) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return -1;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return fd;
        const int error = errno;
        close(fd);
        if ((error != ENOENT && error != ECONNREFUSED && error != EAGAIN) ||
            std::chrono::steady_clock::now() >= deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool SendAll(int fd, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return true;
}

bool AwaitAnswer(int fd, std::chrono::steady_clock::time_point deadline)
{
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        const int n = poll(&ready, 1, int(std::max<long long>(0, left.count())));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        char answer = 0;
        const ssize_t got = recv(fd, &answer, 1, 0);
        if (got < 0 && errno == EINTR)
            continue;
        return got == 1 && answer == kTakenAnswer;
    }
}

void OpenThroughDelegate(const std::vector<std::string>& paths)
{
    ApplicationDelegate* delegate = Application::Shared().Delegate();
    for (const std::string& path : paths)
        if (delegate)
            delegate->OpenFile(path);
}

} // namespace

// Accepts requests and reads each one as it arrives, on the loop's thread.
struct SingleInstance::Listener {
    struct Connection {
        int fd = -1;
        std::unique_ptr<FdSource> source;
        OpenRequest::Reader reader;
    };

    Listener(RunLoop& loop, int socketFd, OpenHandler handler)
        : loop(loop), onOpen(std::move(handler)),
          source(std::make_unique<FdSource>(loop, socketFd, kFdReadable, [this, socketFd](unsigned) { Accept(socketFd); }))
    {
    }
    ~Listener()
    {
        while (!connections.empty())
            Drop(connections.front().get());
    }

    void Accept(int socketFd)
    {
        for (size_t i = 0; i < kMaxConnections; ++i) {
            const int fd = accept4(socketFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0)
                return;
            if (connections.size() >= kMaxConnections)
                Drop(connections.front().get());
            auto connection = std::make_unique<Connection>();
            Connection* raw = connection.get();
            connection->fd = fd;
            connection->source = std::make_unique<FdSource>(loop, fd, kFdReadable, [this, raw](unsigned) { Read(raw); });
            connections.push_back(std::move(connection));
        }
    }

    void Read(Connection* connection)
    {
        char buffer[4096];
        while (true) {
            const ssize_t n = recv(connection->fd, buffer, sizeof buffer, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            if (n <= 0 || connection->reader.Feed(buffer, size_t(n)) == OpenRequest::Reader::Status::Damaged) {
                Drop(connection); // ended early or damaged: no answer
                return;
            }
            if (connection->reader.Current() == OpenRequest::Reader::Status::Complete) {
                Complete(connection);
                return;
            }
        }
    }

    void Complete(Connection* connection)
    {
        const std::vector<std::string> paths = connection->reader.Paths();
        const char answer = kTakenAnswer;
        [[maybe_unused]] const ssize_t n = send(connection->fd, &answer, 1, MSG_NOSIGNAL);
        Drop(connection);
        if (onOpen)
            onOpen(paths);
        else
            OpenThroughDelegate(paths);
    }

    void Drop(Connection* connection)
    {
        for (auto it = connections.begin(); it != connections.end(); ++it) {
            if (it->get() != connection)
                continue;
            connection->source.reset();
            close(connection->fd);
            connections.erase(it);
            return;
        }
    }

    RunLoop& loop;
    OpenHandler onOpen;
    std::unique_ptr<FdSource> source;
    std::vector<std::unique_ptr<Connection>> connections;
};

std::string SingleInstance::SocketFolder(const std::string& name)
{
    const std::string runtime = EnvFolder("XDG_RUNTIME_DIR");
    if (!runtime.empty())
        return runtime;
    std::string temporary = EnvFolder("TMPDIR");
    if (temporary.empty())
        temporary = "/tmp";
    const std::string folder = temporary + "/" + name + "-" + std::to_string(geteuid());
    return MakePrivateFolder(folder) ? folder : std::string();
}

SingleInstance::SingleInstance(const std::string& name) : SingleInstance(SocketFolder(name), name) {}

SingleInstance::SingleInstance(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return;
    fSocketPath = folder + "/" + name + ".socket";
    sockaddr_un probe;
    if (!FillAddress(fSocketPath, probe))
        return;
    fLockFd = open((folder + "/" + name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fLockFd < 0)
        return;
    if (flock(fLockFd, LOCK_EX | LOCK_NB) != 0) {
        fRole = errno == EWOULDBLOCK ? Role::Secondary : Role::Alone;
        close(fLockFd);
        fLockFd = -1;
        return;
    }
    fSocketFd = ListenAt(fSocketPath);
    fRole = fSocketFd >= 0 ? Role::Primary : Role::Alone;
}

SingleInstance::~SingleInstance()
{
    fListener.reset();
    if (fSocketFd >= 0) {
        close(fSocketFd);
        unlink(fSocketPath.c_str());
    }
    if (fLockFd >= 0)
        close(fLockFd); // releases the lock
}

bool SingleInstance::HandOff(const std::vector<std::string>& paths, int timeoutMs) const
{
    std::string message;
    if (fRole != Role::Secondary || !OpenRequest::Encode(paths, message))
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const int fd = ConnectTo(fSocketPath, deadline);
    if (fd < 0)
        return false;
    const bool taken = SendAll(fd, message) && shutdown(fd, SHUT_WR) == 0 && AwaitAnswer(fd, deadline);
    close(fd);
    return taken;
}

void SingleInstance::Listen(RunLoop& loop, OpenHandler onOpen)
{
    if (fRole == Role::Primary && !fListener)
        fListener = std::make_unique<Listener>(loop, fSocketFd, std::move(onOpen));
}

} // namespace plat
