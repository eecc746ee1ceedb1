#pragma once
#include <atomic>
#include <memory>

namespace plat {
class RunLoop;
class RunLoopTimer;
}

// NOTE: the main loop's wake signal, in the least form the asynchronous queue needs; the
// main loop owns its creation.
//
// A wake-up for the thread that made it (the main thread): any thread signals, and that
// thread's run loop calls back soon, in the common modes. Signals before the call merge
// into one.
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
