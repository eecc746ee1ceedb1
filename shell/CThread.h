#pragma once
#include "platform/threads/Thread.h"

#include <memory>

// A bare worker-thread handle. The thread is never cancelled: before Stop its owner makes
// the thread's function return (a stop flag of its own plus a wake-up) and Stop joins it.
class CThread {
public:
    using Entry = void (*)(void* argument);

    CThread() = default;
    ~CThread() { Stop(); }
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    // Starts entry(argument) on a new thread, with the given scheduling when one is given
    // (falling back to the default scheduling when the system refuses it). True when the
    // thread runs.
    [[nodiscard]] bool Start(void* argument, Entry entry, const plat::ThreadPriority* priority = nullptr);
    // When started: clears the started flag and joins the thread.
    void Stop();
    bool IsStarted() const { return fStarted; }
    // The scheduling the last started thread got.
    plat::ThreadPriority Granted() const;
    bool GotWantedPriority() const;

private:
    std::unique_ptr<plat::Thread> fThread;
    bool fStarted = false;
};
