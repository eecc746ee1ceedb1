#pragma once
#include "platform/threads/Thread.h"
#include "shell/CThread.h"

// Runs a function on a new thread whose priority is set relative to the calling thread.
// Destroying the object joins the thread, so the function must be made to return first.
class LThread {
public:
    using Function = void (*)(void* argument);

    // The priority delta that asks for the highest priority there is (round robin).
    static constexpr int kHighest = 3;

    LThread() = default;
    ~LThread() { fThread.Stop(); }
    LThread(const LThread&) = delete;
    LThread& operator=(const LThread&) = delete;

    // Starts function(argument) at the caller's priority plus delta (kHighest: round robin
    // at the highest priority), clamped to the policy's range. True when the thread runs.
    [[nodiscard]] bool Start(void* argument, Function function, int delta);
    // Joins the thread; its function must have been made to return.
    void Join() { fThread.Stop(); }
    const CThread& Thread() const { return fThread; }

    // The scheduling asked for by a thread with the given scheduling and delta.
    static plat::ThreadPriority PriorityFor(const plat::ThreadPriority& caller, int delta);

private:
    static void Entry(void* self);

    void* fArgument = nullptr;
    Function fFunction = nullptr;
    CThread fThread;
};
