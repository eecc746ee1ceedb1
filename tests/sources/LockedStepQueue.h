#pragma once
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LMessage.h"
#include "platform/threads/RecursiveMutex.h"

#include <cstdint>

// An asynchronous queue without a thread: the test plays the dispatch thread, delivering
// signals and firing timers on a clock of its own. Unlike the plain stepped queue, other
// threads (the file worker's completions) may post to it.
class LockedStepQueue : public LAsyncQueue {
public:
    void RequestDrain() override {}
    void PostSignal(LAsyncSignal* signal) override
    {
        plat::ScopedLock<plat::RecursiveMutex> lock(fListMutex);
        fSignals.PushBack(signal);
    }
    void UnregisterSignal(LAsyncSignal* signal) override { CancelSignal(signal); }
    void CancelSignal(LAsyncSignal* signal) override
    {
        plat::ScopedLock<plat::RecursiveMutex> lock(fListMutex);
        fSignals.Remove(signal);
        signal->ClearPosted();
    }
    void Lock() override { fMutex.Lock(); }
    void Unlock() override { fMutex.Unlock(); }
    uint32_t NowMs() override { return now; }
    plat::RunLoop* RunLoop() override { return nullptr; }

    // Delivers every queued signal, as one pass of the dispatch thread.
    int DeliverSignals()
    {
        LAsyncQueueLock lock(*this);
        int sent = 0;
        while (LAsyncSignal* signal = PopSignal()) {
            signal->ClearPosted();
            LMessage::Send(LMessage(LAsyncSignal::msgX, signal, signal->Parent()));
            ++sent;
        }
        return sent;
    }
    // Moves the clock on and fires the timers that fall due.
    void AdvanceMs(uint32_t ms)
    {
        LAsyncQueueLock lock(*this);
        now += ms;
        FireDueTimers();
    }

    uint32_t now = 1000;

private:
    LAsyncSignal* PopSignal()
    {
        plat::ScopedLock<plat::RecursiveMutex> lock(fListMutex);
        return static_cast<LAsyncSignal*>(fSignals.PopFront());
    }

    plat::RecursiveMutex fMutex;
    plat::RecursiveMutex fListMutex;
};
