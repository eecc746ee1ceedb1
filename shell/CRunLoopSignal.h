#pragma once
#include <atomic>
#include <memory>

namespace plat {
class RunLoop;
class RunLoopTimer;
}

// A wake-up for the thread that made it (the main thread): any thread signals, and that
// thread's run loop calls back soon, in the common modes. Signals before the call merge
// into one. After each call an application-defined event is posted, so that a modal step
// waiting for the next event returns. The main loop makes these (CreateWakeSignal).
class CRunLoopSignal {
public:
    using Callback = void (*)(void* context, CRunLoopSignal* signal);

    // Binds to the calling thread's run loop.
    CRunLoopSignal(Callback callback, void* context);
    ~CRunLoopSignal();
    CRunLoopSignal(const CRunLoopSignal&) = delete;
    CRunLoopSignal& operator=(const CRunLoopSignal&) = delete;

    // Arranges the call unless one is already pending. Any thread.
    void Signal();
    bool IsPending() const { return fPending.load(std::memory_order_acquire); }

private:
    void Fire();

    Callback fCallback;
    void* fContext;
    std::atomic<bool> fPending{false};
    std::unique_ptr<plat::RunLoopTimer> fTimer;
};
