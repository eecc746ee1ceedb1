#pragma once
#include <cstdint>
#include <functional>

namespace plat::detail {

// What a run loop keeps of each timer, signal source and descriptor source attached to
// it. Shared between the loop and its client object so that a callback in progress
// keeps the entry alive; every field below the callbacks is guarded by the loop's mutex.
struct RunLoopEntry {
    enum class Kind { Timer, Source, Fd };

    Kind kind = Kind::Source;
    uint32_t modes = 0;
    std::function<void()> perform;          // timers and signal sources
    std::function<void(unsigned)> onReady;  // descriptor sources: the ready events

    bool attached = true;  // false once the client detached it: it never runs again
    int running = 0;       // callbacks of this entry in progress

    bool armed = false;    // timers
    uint64_t fireAtMs = 0;
    uint64_t armOrder = 0; // equal fire times run in arming order

    bool signalled = false; // signal sources

    int fd = -1;            // descriptor sources
    unsigned events = 0;
    unsigned readyEvents = 0;
};

} // namespace plat::detail
