#pragma once
#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/LHandler.h"
#include "platform/threads/Mutex.h"
#include "platform/threads/RecursiveMutex.h"
#include "shell/CRunLoopSignal.h"
#include "shell/LThread.h"

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace plat {
class FdSource;
class RunLoopSource;
}

// The program's asynchronous queue: a thread with its own run loop that delivers posted
// signals as "LAsyncSignal_X" and fires queued timers as "LAsyncTimer_Expire", holding the
// queue lock for each whole pass; and, through the main thread's wake signal, the drain
// of posted notes on the main thread.
class CAsyncLoopThread : public LAsyncQueue, public LHandler {
public:
    // Makes the main thread's wake signal that calls back (callback, context).
    using WakeSignalMaker = std::function<std::unique_ptr<CRunLoopSignal>(CRunLoopSignal::Callback, void*)>;

    // Made on the main thread. Returns once the dispatch thread runs and posts reach it.
    explicit CAsyncLoopThread(const WakeSignalMaker& makeWakeSignal);
    // Stops the thread (see Stop).
    ~CAsyncLoopThread() override;

    // Stops the thread after one last pass, so that every signal posted before the stop
    // is delivered, and joins it. Never call it with the queue lock held. Idempotent;
    // signals posted afterwards stay queued.
    void Stop();

    void Wake() override;
    void RequestDrain() override;
    void PostSignal(LAsyncSignal* signal) override;
    void UnregisterSignal(LAsyncSignal* signal) override;
    void CancelSignal(LAsyncSignal* signal) override;
    void Lock() override { fQueueLock.Lock(); }
    void Unlock() override { fQueueLock.Unlock(); }
    uint32_t NowMs() override;
    plat::RunLoop* RunLoop() override { return fRunLoop.load(std::memory_order_acquire); }
    bool WatchReadable(int fd, LAsyncSignal* signal) override;
    void UnwatchReadable(int fd) override;

    // The wake signal's callback on the main thread: drains the posted notes.
    static void DrainCallback(void* context, CRunLoopSignal* signal);

private:
    struct Watch {
        int fd = -1;
        std::unique_ptr<plat::FdSource> source;
    };

    static void ThreadMain(void* self);
    void Serve();
    uint32_t RunPass();
    void DeliverSignals();
    // The source to signal, counted as being signalled, or null once the thread ends. Signal-list
    // mutex held.
    plat::RunLoopSource* TakeSourceToSignal();
    // Signals the source taken, outside the mutex, and ends the count.
    void SignalAndRelease(plat::RunLoopSource* source);
    // Queues a signal from the thread's own wait: the pass that follows delivers it.
    void QueueFromWait(LAsyncSignal* signal);
    void EndWatches();

    plat::RecursiveMutex fQueueLock;
    std::atomic<bool> fStop{false};
    std::atomic<bool> fDrainRequested{false};
    std::unique_ptr<CRunLoopSignal> fWakeSignal;
    // Guards the signal list and the source pointer; held only for list work and the
    // signal of the source, never while a message is sent.
    plat::Mutex fSignalListMutex;
    plat::RunLoopSource* fSource = nullptr; // lives on the thread's stack while it serves
    std::atomic<int> fSignalling{0};        // signals of fSource under way outside the mutex
    std::atomic<plat::RunLoop*> fRunLoop{nullptr};
    // Guards the descriptor watches; never held while a source is destroyed, which waits for
    // a callback that takes the signal-list mutex.
    plat::Mutex fWatchMutex;
    std::vector<Watch> fWatches;
    bool fServing = false;
    LThread fThread;
};
