#pragma once
#include "platform/runloop/RunLoop.h"

#include <functional>
#include <memory>

namespace plat {

// A source that any thread may signal; the loop's thread then runs its callback once.
// Signals that arrive before the callback runs merge into one call.
class RunLoopSource {
public:
    RunLoopSource(RunLoop& loop, std::function<void()> perform, uint32_t modes = kModeCommon);
    ~RunLoopSource();
    RunLoopSource(const RunLoopSource&) = delete;
    RunLoopSource& operator=(const RunLoopSource&) = delete;

    // Marks the source and wakes its loop. Any thread; nothing after Invalidate.
    void Signal();
    // Detaches the source: a pending call never happens, and a call running on another
    // thread has ended when this returns. Idempotent.
    void Invalidate();
    RunLoop& Loop() const { return fLoop; }

private:
    RunLoop& fLoop;
    std::shared_ptr<detail::RunLoopEntry> fEntry;
};

} // namespace plat
