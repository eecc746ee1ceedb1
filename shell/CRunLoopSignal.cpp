#include "shell/CRunLoopSignal.h"

#include "platform/app/Application.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopTimer.h"

CRunLoopSignal::CRunLoopSignal(Callback callback, void* context)
    : fCallback(callback),
      fContext(context),
      fTimer(std::make_unique<plat::RunLoopTimer>(plat::RunLoop::Current(), [this] { Fire(); }))
{
}

CRunLoopSignal::~CRunLoopSignal() = default;

void CRunLoopSignal::Signal()
{
    if (!fPending.exchange(true, std::memory_order_acq_rel))
        fTimer->FireAt(0); // a time gone by: as soon as the loop runs
}

void CRunLoopSignal::Fire()
{
    // Cleared before the call, so that a signal made during it calls again.
    fPending.store(false, std::memory_order_release);
    if (fCallback)
        fCallback(fContext, this);
    plat::Application::PostEvent(0, 0, 0, false);
}
