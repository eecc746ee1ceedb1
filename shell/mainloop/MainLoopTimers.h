#pragma once
#include "foundation/core/LTimerPool.h"

#include <functional>
#include <memory>

namespace plat {
class RunLoopTimer;
}

// One run-loop timer of the main loop, kept in a pool so that the loop can re-arm a fresh
// record while the one that fired is still in its callback. A record that goes back to the
// pool is disarmed.
class MainLoopTimerRecord : public LPooledRecord {
public:
    MainLoopTimerRecord();
    ~MainLoopTimerRecord() override;
    // Arms the record's timer for now + ms, making the timer on the calling thread's run loop
    // (common modes) the first time.
    void FireAfter(uint32_t ms, const std::function<void()>& fire);
    void Recycle() noexcept override;

private:
    std::unique_ptr<plat::RunLoopTimer> fTimer;
};

class MainLoopTimerPool : public LTimerPool {
protected:
    LPooledRecord* MakeRecord() override { return new MainLoopTimerRecord(); }
};
