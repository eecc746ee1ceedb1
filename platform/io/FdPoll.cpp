#include "platform/io/FdPoll.h"

#include <cerrno>
#include <poll.h>
#include <vector>

namespace plat {

int WaitForFds(PollItem* items, size_t count, int timeoutMs)
{
    std::vector<pollfd> fds(count);
    for (size_t i = 0; i < count; ++i) {
        fds[i].fd = items[i].fd;
        fds[i].events = short(((items[i].want & kFdReadable) ? POLLIN : 0) |
                              ((items[i].want & kFdWritable) ? POLLOUT : 0));
        fds[i].revents = 0;
        items[i].got = 0;
    }
    const int n = ::poll(fds.data(), nfds_t(count), timeoutMs < 0 ? -1 : timeoutMs);
    if (n < 0)
        return errno == EINTR ? 0 : -1;
    for (size_t i = 0; i < count; ++i) {
        const short r = fds[i].revents;
        unsigned got = 0;
        if (r & POLLIN)
            got |= kFdReadable;
        if (r & POLLOUT)
            got |= kFdWritable;
        if (r & (POLLERR | POLLNVAL))
            got |= kFdError;
        if (r & POLLHUP)
            got |= kFdHangup;
        items[i].got = got;
    }
    return n;
}

} // namespace plat
