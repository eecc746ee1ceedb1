#include "platform/io/Socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plat {

namespace {

sockaddr_in ToNative(const Endpoint& endpoint)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(endpoint.address);
    a.sin_port = htons(endpoint.port);
    return a;
}

Endpoint FromNative(const sockaddr_in& a)
{
    return Endpoint{ntohl(a.sin_addr.s_addr), ntohs(a.sin_port)};
}

bool SetIntOption(int fd, int level, int name, int value)
{
    return ::setsockopt(fd, level, name, &value, sizeof value) == 0;
}

// Runs a call that fills a socket address and converts the result.
template <class Call>
bool NameOf(int fd, Endpoint& out, Call call)
{
    sockaddr_in a{};
    socklen_t length = sizeof a;
    if (call(fd, reinterpret_cast<sockaddr*>(&a), &length) != 0 || a.sin_family != AF_INET)
        return false;
    out = FromNative(a);
    return true;
}

long Result(ssize_t n, IoError& err)
{
    err = n < 0 ? LastIoError() : IoError::None;
    return long(n);
}

} // namespace

int OpenSocket(SocketKind kind, IoError& err)
{
    IgnoreBrokenPipeSignal();
    const int type = kind == SocketKind::Stream ? SOCK_STREAM : SOCK_DGRAM;
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    err = fd < 0 ? LastIoError() : IoError::None;
    return fd;
}

bool BindAny(int fd, uint16_t port, IoError& err)
{
    const sockaddr_in a = ToNative(Endpoint{INADDR_ANY, port});
    const bool ok = ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    err = ok ? IoError::None : LastIoError();
    return ok;
}

bool Listen(int fd, int backlog, IoError& err)
{
    const bool ok = ::listen(fd, backlog) == 0;
    err = ok ? IoError::None : LastIoError();
    return ok;
}

int AcceptConnection(int fd, Endpoint& peer, IoError& err)
{
    sockaddr_in a{};
    socklen_t length = sizeof a;
    const int s = ::accept4(fd, reinterpret_cast<sockaddr*>(&a), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
    err = s < 0 ? LastIoError() : IoError::None;
    if (s >= 0)
        peer = FromNative(a);
    return s;
}

bool ConnectTo(int fd, const Endpoint& peer, IoError& err)
{
    const sockaddr_in a = ToNative(peer);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    err = ok ? IoError::None : LastIoError();
    return ok;
}

IoError ConnectResult(int fd)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return LastIoError();
    return IoErrorOf(error);
}

bool LocalEndpoint(int fd, Endpoint& out) { return NameOf(fd, out, ::getsockname); }
bool PeerEndpoint(int fd, Endpoint& out) { return NameOf(fd, out, ::getpeername); }

long SendBytes(int fd, const void* data, size_t length, IoError& err)
{
    return Result(::send(fd, data, length, MSG_NOSIGNAL), err);
}

long ReceiveBytes(int fd, void* buffer, size_t length, IoError& err)
{
    return Result(::recv(fd, buffer, length, 0), err);
}

long SendDatagram(int fd, const Endpoint& to, const void* data, size_t length, IoError& err)
{
    const sockaddr_in a = ToNative(to);
    return Result(::sendto(fd, data, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&a), sizeof a), err);
}

long ReceiveDatagram(int fd, void* buffer, size_t length, Endpoint& from, IoError& err)
{
    sockaddr_in a{};
    socklen_t size = sizeof a;
    const long n = Result(::recvfrom(fd, buffer, length, 0, reinterpret_cast<sockaddr*>(&a), &size), err);
    if (n >= 0)
        from = FromNative(a);
    return n;
}

bool SetReuseAddress(int fd) { return SetIntOption(fd, SOL_SOCKET, SO_REUSEADDR, 1); }
bool SetNoDelay(int fd) { return SetIntOption(fd, IPPROTO_TCP, TCP_NODELAY, 1); }
bool SetBroadcast(int fd) { return SetIntOption(fd, SOL_SOCKET, SO_BROADCAST, 1); }

bool SetReceiveBufferSize(int fd, uint32_t bytes)
{
    return SetIntOption(fd, SOL_SOCKET, SO_RCVBUF, bytes > 0x7FFFFFFF ? 0x7FFFFFFF : int(bytes));
}

uint32_t UnsentBytes(int fd)
{
    int count = 0;
    if (::ioctl(fd, SIOCOUTQ, &count) != 0 || count < 0)
        return 0;
    return uint32_t(count);
}

std::vector<uint32_t> HostAddresses()
{
    std::vector<uint32_t> out;
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return out;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &list) != 0)
        return out;
    for (const addrinfo* a = list; a && out.size() < 100; a = a->ai_next) {
        const uint32_t address = ntohl(reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr);
        bool seen = false;
        for (uint32_t known : out)
            seen = seen || known == address;
        if (!seen)
            out.push_back(address);
    }
    ::freeaddrinfo(list);
    return out;
}

} // namespace plat
