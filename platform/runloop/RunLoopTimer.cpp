#include "platform/runloop/RunLoopTimer.h"

#include "platform/Clock.h"
#include "platform/runloop/RunLoopEntry.h"

namespace plat {

RunLoopTimer::RunLoopTimer(RunLoop& loop, std::function<void()> fire, uint32_t modes)
    : fLoop(loop), fEntry(std::make_shared<detail::RunLoopEntry>())
{
    fEntry->kind = detail::RunLoopEntry::Kind::Timer;
    fEntry->modes = modes;
    fEntry->perform = std::move(fire);
    fLoop.Attach(fEntry);
}

RunLoopTimer::~RunLoopTimer() { fLoop.Detach(fEntry); }

void RunLoopTimer::FireAt(uint64_t ms) { fLoop.ArmTimer(*fEntry, ms); }
void RunLoopTimer::FireAfter(uint64_t ms) { fLoop.ArmTimer(*fEntry, NowMs() + ms); }
void RunLoopTimer::Disarm() { fLoop.DisarmTimer(*fEntry); }
bool RunLoopTimer::Armed() const { return fLoop.TimerArmed(*fEntry); }

} // namespace plat
