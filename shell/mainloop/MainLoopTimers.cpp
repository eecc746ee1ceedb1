#include "shell/mainloop/MainLoopTimers.h"

#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopTimer.h"

MainLoopTimerRecord::MainLoopTimerRecord() = default;

MainLoopTimerRecord::~MainLoopTimerRecord() = default;

void MainLoopTimerRecord::FireAfter(uint32_t ms, const std::function<void()>& fire)
{
    if (!fTimer)
        fTimer = std::make_unique<plat::RunLoopTimer>(plat::RunLoop::Current(), fire, plat::kModeCommon);
    fTimer->FireAfter(ms);
}

void MainLoopTimerRecord::Recycle() noexcept
{
    if (fTimer)
        fTimer->Disarm();
    LPooledRecord::Recycle();
}
