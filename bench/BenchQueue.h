#pragma once
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LMessage.h"
#include "platform/threads/RecursiveMutex.h"

// A queue without a thread for benchmarks that play the dispatch thread themselves: signals
// wait until Deliver, notes are never drained.
class BenchQueue : public LAsyncQueue {
public:
    void RequestDrain() override {}
    void PostSignal(LAsyncSignal* signal) override { fSignals.PushBack(signal); }
    void UnregisterSignal(LAsyncSignal* signal) override { CancelSignal(signal); }
    void CancelSignal(LAsyncSignal* signal) override
    {
        fSignals.Remove(signal);
        signal->ClearPosted();
    }
    void Lock() override { fMutex.Lock(); }
    void Unlock() override { fMutex.Unlock(); }
    uint32_t NowMs() override { return 0; }
    plat::RunLoop* RunLoop() override { return nullptr; }
    void Deliver()
    {
        while (auto* signal = static_cast<LAsyncSignal*>(fSignals.PopFront())) {
            signal->ClearPosted();
            LMessage::Send(LMessage(LAsyncSignal::msgX, signal, signal->Parent()));
        }
    }

private:
    plat::RecursiveMutex fMutex;
};
