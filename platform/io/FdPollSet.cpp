#include "platform/io/FdPollSet.h"

#include <cerrno>
#include <sys/epoll.h>
#include <unistd.h>

namespace plat {

FdPollSet::FdPollSet() : fSet(::epoll_create1(EPOLL_CLOEXEC)) {}

FdPollSet::~FdPollSet()
{
    if (fSet >= 0)
        ::close(fSet);
}

bool FdPollSet::Watch(int fd, unsigned events, uint64_t key) { return Change(fd, events, key, true); }

bool FdPollSet::WatchAlways(int fd, unsigned events, uint64_t key) { return Change(fd, events, key, false); }

bool FdPollSet::Change(int fd, unsigned events, uint64_t key, bool once)
{
    if (fSet < 0 || fd < 0)
        return false;
    epoll_event event{};
    event.events = ((events & kFdReadable) ? EPOLLIN : 0u) | ((events & kFdWritable) ? EPOLLOUT : 0u) |
                   (once ? EPOLLONESHOT : 0u);
    event.data.u64 = key;
    // Most changes re-arm a member; a descriptor new to the set is added.
    if (::epoll_ctl(fSet, EPOLL_CTL_MOD, fd, &event) == 0)
        return true;
    return errno == ENOENT && ::epoll_ctl(fSet, EPOLL_CTL_ADD, fd, &event) == 0;
}

void FdPollSet::Forget(int fd)
{
    if (fSet >= 0 && fd >= 0)
        (void)::epoll_ctl(fSet, EPOLL_CTL_DEL, fd, nullptr);
}

int FdPollSet::Wait(Ready* out, size_t max, int timeoutMs)
{
    constexpr size_t kBatch = 64;
    epoll_event events[kBatch];
    const int n = ::epoll_wait(fSet, events, int(max < kBatch ? max : kBatch), timeoutMs < 0 ? -1 : timeoutMs);
    if (n < 0)
        return errno == EINTR ? 0 : -1;
    for (int i = 0; i < n; ++i) {
        const uint32_t e = events[i].events;
        unsigned got = 0;
        if (e & EPOLLIN)
            got |= kFdReadable;
        if (e & EPOLLOUT)
            got |= kFdWritable;
        if (e & EPOLLERR)
            got |= kFdError;
        if (e & (EPOLLHUP | EPOLLRDHUP))
            got |= kFdHangup;
        out[i] = {events[i].data.u64, got};
    }
    return n;
}

} // namespace plat
