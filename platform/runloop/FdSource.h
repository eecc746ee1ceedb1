#pragma once
#include "platform/runloop/RunLoop.h"

#include <functional>
#include <memory>

namespace plat {

// Readiness of a descriptor, as asked for and as reported.
enum FdEvent : unsigned {
    kFdReadable = 1u << 0,
    kFdWritable = 1u << 1,
    kFdError = 1u << 2,  // reported only
    kFdHangup = 1u << 3, // reported only
};

// Watches a descriptor from a run loop: the callback runs on the loop's thread with the
// ready events, on every pass while the descriptor stays ready. The descriptor stays the
// caller's.
class FdSource {
public:
    FdSource(RunLoop& loop, int fd, unsigned events, std::function<void(unsigned)> onReady,
             uint32_t modes = kModeCommon);
    ~FdSource();
    FdSource(const FdSource&) = delete;
    FdSource& operator=(const FdSource&) = delete;

    // Changes what is watched; 0 pauses the source.
    void SetEvents(unsigned events);

private:
    RunLoop& fLoop;
    std::shared_ptr<detail::RunLoopEntry> fEntry;
};

} // namespace plat
