#pragma once
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LMessage.h"
#include "foundation/async/LTicks.h"
#include "platform/threads/RecursiveMutex.h"

// An async queue without a thread: the test plays the dispatch thread (FireDueTimers,
// DeliverSignals) and the main thread (Drain) itself, on the event clock.
class StepQueue : public LAsyncQueue {
public:
    void Wake() override { ++wakes; }
    void RequestDrain() override { ++drainRequests; }
    void PostSignal(LAsyncSignal* signal) override { fSignals.PushBack(signal); }
    void UnregisterSignal(LAsyncSignal* signal) override
    {
        LAsyncQueueLock lock(*this);
        CancelSignal(signal);
    }
    void CancelSignal(LAsyncSignal* signal) override
    {
        fSignals.Remove(signal);
        signal->ClearPosted();
    }
    void Lock() override { fMutex.Lock(); }
    void Unlock() override { fMutex.Unlock(); }
    uint32_t NowMs() override { return LTicks::Now(); }
    plat::RunLoop* RunLoop() override { return nullptr; }

    // One delivery pass of the signals, as the dispatch thread makes it.
    int DeliverSignals()
    {
        LAsyncQueueLock lock(*this);
        int sent = 0;
        while (SSLink* link = fSignals.PopFront()) {
            auto* signal = static_cast<LAsyncSignal*>(link);
            signal->ClearPosted();
            LMessage::Send(LMessage(LAsyncSignal::msgX, signal, signal->Parent()));
            ++sent;
        }
        return sent;
    }
    uint32_t SignalsQueued() const { return fSignals.Count(); }

    int wakes = 0;
    int drainRequests = 0;

private:
    plat::RecursiveMutex fMutex;
};
