#include "foundation/async/LAsyncQueue.h"

#include "foundation/async/LAsyncEvent.h"
#include "foundation/async/LAsyncTimer.h"
#include "foundation/core/LMessage.h"
#include "foundation/async/LTicks.h"

namespace {

LAsyncTimer* AsTimer(SSLink* link) { return static_cast<LAsyncTimer*>(link); }

} // namespace

void LAsyncQueue::ScheduleTimer(LAsyncTimer& timer, const uint32_t& delay)
{
    fTimers.Remove(&timer);
    const uint32_t clamped = delay > kMaxDelay ? kMaxDelay : delay;
    const uint32_t now = NowMs();
    timer.fDue = now + clamped;
    // After every timer due no later than this one: equal due times keep their start order.
    SSLink* after = nullptr;
    for (SSLink* link : fTimers) {
        if (LTicks::Diff(AsTimer(link)->fDue, now) > int32_t(clamped))
            break;
        after = link;
    }
    fTimers.InsertAfter(&timer, after);
    if (!after)
        Wake(); // the new head shortens the dispatch thread's wait
}

bool LAsyncQueue::WatchReadable(int, LAsyncSignal*) { return false; }

void LAsyncQueue::UnwatchReadable(int) {}

void LAsyncQueue::UnscheduleTimer(LAsyncTimer& timer) { fTimers.Remove(&timer); }

bool LAsyncQueue::IsScheduled(const LAsyncTimer& timer) const { return fTimers.Contains(&timer); }

uint32_t LAsyncQueue::TimeToNext()
{
    SSLink* head = fTimers.Head();
    if (!head)
        return kMaxDelay;
    const int32_t left = LTicks::Diff(AsTimer(head)->fDue, NowMs());
    return left > 0 ? uint32_t(left) : 0;
}

void LAsyncQueue::FireDueTimers()
{
    while (SSLink* head = fTimers.Head()) {
        LAsyncTimer* timer = AsTimer(head);
        if (LTicks::Diff(timer->fDue, NowMs()) > 0)
            break;
        fTimers.Remove(timer);
        // A handler may start the timer again; with 0 ms it fires in this same pass.
        LMessage::Send(LMessage(LAsyncTimer::msgExpire, timer, timer->Parent()));
    }
}

void LAsyncQueue::Post(LAsyncEvent& event)
{
    LAsyncQueueLock lock(*this);
    if (event.IsLinked() || event.fNoteArmed.load(std::memory_order_acquire))
        return;
    fPending.PushBack(&event);
    RequestDrain();
}

void LAsyncQueue::Remove(LAsyncEvent& event)
{
    LAsyncQueueLock lock(*this);
    fPending.Remove(&event);
}

void LAsyncQueue::Drain()
{
    LAsyncQueueLock lock(*this);
    while (SSLink* link = fPending.PopFront()) {
        LAsyncEvent* event = static_cast<LAsyncEvent*>(link);
        event->fNoteArmed.store(true, std::memory_order_release);
        event->fTimer.Start(0, 0);
    }
}
