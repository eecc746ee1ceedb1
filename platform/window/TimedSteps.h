#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

namespace plat {

class RunLoopSource;
class RunLoopTimer;

// What a person does at given times, played while the main thread's run loop turns in any
// mode: each step runs when its time has come on the platform clock, whichever loop is
// turning then (the program's own, a control tracking the pointer, a modal session). Under a
// virtual clock the steps move the clock on themselves, a millisecond a turn, so that time
// passes only while the loop turns and every timer on the way fires at its own time. Main
// thread only.
class TimedSteps {
public:
    TimedSteps();
    ~TimedSteps();
    TimedSteps(const TimedSteps&) = delete;
    TimedSteps& operator=(const TimedSteps&) = delete;

    // Plans a step ms after the last one planned has run, or after now when none waits.
    void After(uint64_t ms, std::function<void()> step);
    // Plans a step that runs firstMs after the last one planned, then every ms for as long as
    // it answers true; the steps planned after it wait until it is done.
    void Every(uint64_t firstMs, uint64_t ms, std::function<bool()> step);
    bool Pending() const { return !fSteps.empty(); }
    // Runs after the last step planned has run.
    void WhenDone(std::function<void()> done) { fDone = std::move(done); }

private:
    struct Step {
        uint64_t delayUs;
        uint64_t repeatUs;
        std::function<bool()> run; // true: again after repeatUs
    };
    void Add(uint64_t ms, uint64_t repeatMs, std::function<bool()> step);
    void Turn();
    void RunDue();
    void ArmNext();

    std::deque<Step> fSteps;
    uint64_t fFrontDueUs = 0;
    std::function<void()> fDone;
    bool fRunning = false; // a step runs: a loop it turns does not run the next one inside it
    std::unique_ptr<RunLoopSource> fTurn; // moves a virtual clock on
    std::unique_ptr<RunLoopTimer> fWake;  // wakes the loop at the next step on the system clock
};

} // namespace plat
