#include "platform/io/FdIo.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace plat {

IoError LastIoError()
{
    return IoErrorOf(errno);
}

IoError IoErrorOf(int number)
{
    switch (number) {
    case 0: return IoError::None;
    case EAGAIN: return IoError::WouldBlock;
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK: return IoError::WouldBlock;
#endif
    case EINTR: return IoError::Interrupted;
    case EINPROGRESS: return IoError::InProgress;
    case EALREADY: return IoError::AlreadyInProgress;
    case EISCONN: return IoError::IsConnected;
    case EADDRINUSE: return IoError::AddressInUse;
    case EADDRNOTAVAIL: return IoError::AddressNotAvailable;
    case EBUSY: return IoError::Busy;
    case ENOBUFS: return IoError::NoBuffers;
    case ENOENT: return IoError::NotFound;
    case EBADF: return IoError::BadDescriptor;
    case ECONNREFUSED: return IoError::Refused;
    case EHOSTUNREACH:
    case ENETUNREACH: return IoError::Unreachable;
    case ETIMEDOUT: return IoError::TimedOut;
    default: return IoError::Other;
    }
}

long ReadFd(int fd, void* buffer, size_t length, IoError& err)
{
    const ssize_t n = ::read(fd, buffer, length);
    err = n < 0 ? LastIoError() : IoError::None;
    return long(n);
}

long WriteFd(int fd, const void* data, size_t length, IoError& err)
{
    const ssize_t n = ::write(fd, data, length);
    err = n < 0 ? LastIoError() : IoError::None;
    return long(n);
}

void CloseFd(int fd)
{
    if (fd >= 0)
        ::close(fd); // on EINTR the descriptor is gone already on Linux: never retry
}

bool SetNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0)
        return false;
    return (flags & O_NONBLOCK) || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

void ClearStatusFlags(int fd)
{
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, 0);
}

bool IsNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_NONBLOCK);
}

void IgnoreBrokenPipeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { ::signal(SIGPIPE, SIG_IGN); });
}

void IgnoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { ::signal(SIGXFSZ, SIG_IGN); });
}

} // namespace plat
