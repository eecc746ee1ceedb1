#include "foundation/async/LAsyncTimer.h"

#include "foundation/async/LAsyncQueue.h"

const char* LAsyncTimer::msgExpire = "LAsyncTimer_Expire";

LAsyncTimer::LAsyncTimer(LHandler* parent, LAsyncQueue* queue) : LHandler(parent), fQueue(queue) {}

LAsyncTimer::~LAsyncTimer() { Stop(); }

void LAsyncTimer::Start(uint32_t delayMs)
{
    if (!fQueue)
        return;
    LAsyncQueueLock lock(*fQueue);
    fQueue->ScheduleTimer(*this, delayMs);
}

void LAsyncTimer::Stop()
{
    if (!fQueue)
        return;
    LAsyncQueueLock lock(*fQueue);
    fQueue->UnscheduleTimer(*this);
}

bool LAsyncTimer::IsScheduled() const
{
    if (!fQueue)
        return false;
    LAsyncQueueLock lock(*fQueue);
    return fQueue->IsScheduled(*this);
}
