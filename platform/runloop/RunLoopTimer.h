#pragma once
#include "platform/runloop/RunLoop.h"

#include <functional>
#include <memory>

namespace plat {

// A one-shot timer on a run loop that can be armed again at any time, from any thread.
// It fires on the loop's thread when the loop runs in one of its modes.
class RunLoopTimer {
public:
    RunLoopTimer(RunLoop& loop, std::function<void()> fire, uint32_t modes = kModeCommon);
    ~RunLoopTimer();
    RunLoopTimer(const RunLoopTimer&) = delete;
    RunLoopTimer& operator=(const RunLoopTimer&) = delete;

    // Arms the timer for a time on the platform clock (ms); a time gone by fires at once.
    void FireAt(uint64_t ms);
    // Arms the timer for now + ms.
    void FireAfter(uint64_t ms);
    void Disarm();
    bool Armed() const;

private:
    RunLoop& fLoop;
    std::shared_ptr<detail::RunLoopEntry> fEntry;
};

} // namespace plat
