#pragma once
#include "platform/runloop/RunLoop.h"

#include <cstddef>
#include <cstdint>

namespace plat {

class VirtualClock;

// Runs a run loop step by step on the calling thread, for deterministic tests: until
// nothing is ready, or through N ms of virtual time stopping at every timer on the way.
class RunLoopDriver {
public:
    explicit RunLoopDriver(RunLoop& loop, uint32_t mode = kModeDefault) : fLoop(loop), fMode(mode) {}

    // Runs what is ready, again and again, until a pass runs nothing. Gives up after
    // maxPasses so that a callback that keeps re-arming itself cannot hang a test.
    // Returns the callbacks run.
    size_t RunUntilIdle(size_t maxPasses = 10000);
    // Moves the virtual clock forward by ms: to each timer's fire time in turn, running
    // until idle there, and finally to the end of the span. Returns the callbacks run.
    size_t RunForMs(VirtualClock& clock, uint64_t ms);

private:
    RunLoop& fLoop;
    uint32_t fMode;
};

} // namespace plat
