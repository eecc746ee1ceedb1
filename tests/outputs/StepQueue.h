#pragma once
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LMessage.h"
#include "foundation/async/LTicks.h"
#include "platform/Clock.h"
#include "platform/threads/RecursiveMutex.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopDriver.h"
#include "ui/LTimer.h"

#include <gtest/gtest.h>

#include <mutex>

// An async queue without threads: the test plays the dispatch thread (signals and queued
// timers) and the main thread (notes, main-thread timers and the run loop's sources).
class StepQueue : public LAsyncQueue {
public:
    void RequestDrain() override {}
    void PostSignal(LAsyncSignal* signal) override
    {
        std::lock_guard lock(fListLock);
        fSignals.PushBack(signal);
    }
    void UnregisterSignal(LAsyncSignal* signal) override { CancelSignal(signal); }
    void CancelSignal(LAsyncSignal* signal) override
    {
        std::lock_guard lock(fListLock);
        fSignals.Remove(signal);
        signal->ClearPosted();
    }
    void Lock() override { fMutex.Lock(); }
    void Unlock() override { fMutex.Unlock(); }
    uint32_t NowMs() override { return LTicks::Now(); }
    plat::RunLoop* RunLoop() override { return &plat::RunLoop::Current(); }

    // One pass of the dispatch thread: queued signals, then due timers. Returns what ran.
    int DispatchPass()
    {
        LAsyncQueueLock lock(*this);
        int ran = 0;
        for (;;) {
            LAsyncSignal* signal = nullptr;
            {
                std::lock_guard listLock(fListLock);
                signal = static_cast<LAsyncSignal*>(fSignals.PopFront());
            }
            if (!signal)
                break;
            signal->ClearPosted();
            LMessage::Send(LMessage(LAsyncSignal::msgX, signal, signal->Parent()));
            ++ran;
        }
        if (TimeToNext() == 0) {
            FireDueTimers();
            ++ran;
        }
        return ran;
    }

    // The main thread's part: run-loop sources, notes and due main-thread timers.
    static int MainPass(StepQueue& queue)
    {
        plat::RunLoopDriver driver(plat::RunLoop::Current());
        int ran = int(driver.RunUntilIdle());
        queue.Drain();
        for (;;) {
            const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
            if (msg.IsConsumed())
                break;
            LMessage::Send(msg);
            ++ran;
        }
        return ran;
    }

    // Runs both threads' work until nothing is left to do now.
    void Settle()
    {
        for (int pass = 0; pass < 1000; ++pass) {
            if (DispatchPass() + MainPass(*this) == 0)
                return;
        }
        ADD_FAILURE() << "the queue never went idle";
    }

    // Moves the virtual clock on ms by ms, settling at every step.
    void RunFor(plat::VirtualClock& clock, uint32_t ms)
    {
        Settle();
        for (uint32_t i = 0; i < ms; ++i) {
            clock.AdvanceMs(1);
            Settle();
        }
    }

private:
    plat::RecursiveMutex fMutex;
    std::mutex fListLock;
};
