#pragma once
#include "foundation/core/LList.h"

#include <cstdint>

class LAsyncEvent;
class LAsyncSignal;
class LAsyncTimer;

namespace plat {
class RunLoop;
}

// The queue that serves the asynchronous objects: queued timers (ordered by due time)
// fired on the dispatch thread, signals delivered there, and notes drained on the main
// thread. The dispatch thread and its lock are the concrete queue's.
class LAsyncQueue {
public:
    // The longest wait, and the longest timer delay: longer ones would break the signed
    // comparison of due times.
    static constexpr uint32_t kMaxDelay = 0x7FFFFFFF;

    LAsyncQueue() = default;
    // Unlinks the members of the three lists; deletes nothing.
    virtual ~LAsyncQueue() = default;
    LAsyncQueue(const LAsyncQueue&) = delete;
    LAsyncQueue& operator=(const LAsyncQueue&) = delete;

    // Schedules (or moves) a timer to now + delay (at most kMaxDelay). The caller holds
    // the queue lock.
    virtual void ScheduleTimer(LAsyncTimer& timer, const uint32_t& delay);
    // Makes the dispatch thread recompute its wait.
    virtual void Wake() {}
    // Asks the main thread to run Drain soon. Any thread.
    virtual void RequestDrain() = 0;
    // Queues a signal whose posted flag the caller has just set, and wakes the dispatch
    // thread. Any thread; nothing when the signal is already queued.
    virtual void PostSignal(LAsyncSignal* signal) = 0;
    // Forgets a signal that is being destroyed.
    virtual void UnregisterSignal(LAsyncSignal* signal) = 0;
    // Unlinks a queued signal and clears its posted flag.
    virtual void CancelSignal(LAsyncSignal* signal) = 0;
    // The queue lock; recursive.
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    // The millisecond clock of due times.
    virtual uint32_t NowMs() = 0;
    // The dispatch thread's run loop.
    virtual plat::RunLoop* RunLoop() = 0;
    // Has the dispatch thread itself wait for `fd` to become readable; the wait then queues
    // `signal` for the same thread's next pass, without a wake-up of its own, and queues it
    // again on every pass while fd stays readable. False when this queue cannot: the caller
    // waits for the descriptor itself. Any thread.
    virtual bool WatchReadable(int fd, LAsyncSignal* signal);
    // Stops watching fd; a queueing in progress has ended when this returns. Any thread.
    virtual void UnwatchReadable(int fd);

    // Milliseconds until the first timer is due: kMaxDelay with none, 0 when overdue.
    // The caller holds the queue lock.
    uint32_t TimeToNext();
    // Sends "LAsyncTimer_Expire" for every due timer, in due order. Dispatch thread, with
    // the queue lock held.
    void FireDueTimers();
    // Unlinks a timer from the timer list. The caller holds the queue lock.
    void UnscheduleTimer(LAsyncTimer& timer);
    bool IsScheduled(const LAsyncTimer& timer) const;

    // Queues a note for the main thread unless it is already pending or on its way. Any thread.
    void Post(LAsyncEvent& event);
    // Takes a pending note back. Any thread.
    void Remove(LAsyncEvent& event);
    // Starts the main-thread timer of every pending note. Main thread.
    void Drain();

protected:
    LList fTimers;
    LList fPending;
    LList fSignals; // guarded by the concrete queue's signal-list mutex
};

// Holds a queue's lock for the lifetime of the scope.
class LAsyncQueueLock {
public:
    explicit LAsyncQueueLock(LAsyncQueue& queue) : fQueue(queue) { fQueue.Lock(); }
    ~LAsyncQueueLock() { fQueue.Unlock(); }
    LAsyncQueueLock(const LAsyncQueueLock&) = delete;
    LAsyncQueueLock& operator=(const LAsyncQueueLock&) = delete;

private:
    LAsyncQueue& fQueue;
};
