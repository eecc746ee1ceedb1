#pragma once
#include "platform/runloop/FdSource.h"

#include <cstddef>

namespace plat {

// One descriptor to wait on: the events wanted (kFdReadable, kFdWritable) and, after the
// wait, the events that happened (kFdError and kFdHangup may be reported too; a descriptor
// that is not open reports kFdError).
struct PollItem {
    int fd = -1;
    unsigned want = 0;
    unsigned got = 0;
};

// Waits until one of the descriptors is ready or timeoutMs passed (negative: no time-out).
// Any descriptor number can be waited on. Returns the number of ready items; 0 on time-out
// or when a signal interrupted the wait; -1 on failure.
int WaitForFds(PollItem* items, size_t count, int timeoutMs);

} // namespace plat
