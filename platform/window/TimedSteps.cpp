#include "platform/window/TimedSteps.h"
#include "platform/Clock.h"
#include "platform/runloop/RunLoopSource.h"
#include "platform/runloop/RunLoopTimer.h"

#include <algorithm>

namespace plat {

namespace {

// How far a virtual clock moves in one turn of the loop.
constexpr uint64_t kTurnUs = 1000;

} // namespace

TimedSteps::TimedSteps()
    : fTurn(std::make_unique<RunLoopSource>(RunLoop::Current(), [this] { Turn(); })),
      fWake(std::make_unique<RunLoopTimer>(RunLoop::Current(), [this] { Turn(); }))
{
}

TimedSteps::~TimedSteps()
{
    fTurn->Invalidate();
    fWake->Disarm();
}

void TimedSteps::After(uint64_t ms, std::function<void()> step)
{
    Add(ms, 0, [step = std::move(step)] {
        step();
        return false;
    });
}

void TimedSteps::Every(uint64_t firstMs, uint64_t ms, std::function<bool()> step)
{
    Add(firstMs, ms, std::move(step));
}

void TimedSteps::Add(uint64_t ms, uint64_t repeatMs, std::function<bool()> step)
{
    if (fSteps.empty())
        fFrontDueUs = NowUs() + ms * 1000;
    fSteps.push_back(Step{ms * 1000, repeatMs * 1000, std::move(step)});
    ArmNext();
}

void TimedSteps::Turn()
{
    RunDue();
    if (fSteps.empty())
        return;
    if (VirtualClock* clock = InstalledVirtualClock())
        clock->AdvanceUs(std::min(kTurnUs, fFrontDueUs - NowUs()));
    ArmNext();
}

void TimedSteps::RunDue()
{
    // One step a turn, so that the program sees each event before the next is made.
    if (fRunning || fSteps.empty() || fFrontDueUs > NowUs())
        return;
    Step& front = fSteps.front();
    fRunning = true;
    const bool again = front.run();
    fRunning = false;
    if (again) {
        fFrontDueUs = NowUs() + front.repeatUs;
        return;
    }
    fSteps.pop_front();
    if (!fSteps.empty())
        fFrontDueUs = NowUs() + fSteps.front().delayUs;
    else if (fDone)
        fDone();
}

void TimedSteps::ArmNext()
{
    if (fSteps.empty())
        return;
    if (InstalledVirtualClock())
        fTurn->Signal();
    else
        fWake->FireAt((fFrontDueUs + 999) / 1000);
}

} // namespace plat
