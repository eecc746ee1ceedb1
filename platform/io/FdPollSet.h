#pragma once
#include "platform/runloop/FdSource.h"

#include <cstddef>
#include <cstdint>

namespace plat {

// A kernel-kept set of descriptors to wait on. A descriptor is watched once: when it reports
// it rests until Watch is called again, so a thread may arm descriptors while another one
// waits, without waking it. The set's own descriptor is readable while a member is ready, so
// a run loop can wait on it like on any descriptor.
class FdPollSet {
public:
    // One readiness: the key given to Watch and the events seen (kFdReadable, kFdWritable,
    // kFdError, kFdHangup).
    struct Ready {
        uint64_t key = 0;
        unsigned got = 0;
    };

    FdPollSet();
    ~FdPollSet();
    FdPollSet(const FdPollSet&) = delete;
    FdPollSet& operator=(const FdPollSet&) = delete;

    bool IsValid() const { return fSet >= 0; }
    int Descriptor() const { return fSet; }

    // Watches fd once for the events (kFdReadable, kFdWritable, not none), reporting `key`.
    // False when the descriptor cannot be waited on (not open, or a regular file, which is
    // always ready).
    [[nodiscard]] bool Watch(int fd, unsigned events, uint64_t key);
    // Like Watch, but the descriptor stays watched after it reports.
    [[nodiscard]] bool WatchAlways(int fd, unsigned events, uint64_t key);
    // Takes the descriptor out of the set; call it before the descriptor is closed.
    void Forget(int fd);
    // Waits up to timeoutMs (negative: no limit; 0: only looks) and fills at most `max`
    // readinesses. Returns their count; 0 on time-out or interruption, -1 on failure.
    int Wait(Ready* out, size_t max, int timeoutMs);

private:
    bool Change(int fd, unsigned events, uint64_t key, bool once);

    int fSet = -1;
};

} // namespace plat
