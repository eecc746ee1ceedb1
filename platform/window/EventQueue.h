#pragma once
#include "platform/values/ValueRef.h"
#include "platform/window/Event.h"

#include <cstdint>
#include <deque>
#include <mutex>

namespace plat {

class RunLoopSource;

// The application's queue of input events. The window server (or a backend, or a test
// driver) posts events; the main loop takes them with NextMatching and hands them to
// SendEvent. Any thread may post; only the main thread takes.
class EventQueue {
public:
    // The process's one queue.
    static EventQueue& Shared();

    // Appends an event (or puts it first) and wakes a waiting taker.
    void Post(Ref<Event> event, bool atStart = false);
    // The first waiting event whose kind is in mask. When none is waiting, serves the calling
    // thread's run loop in mode for up to timeoutMs (0: no wait) and looks again whenever it
    // returns. With dequeue the event leaves the queue and becomes the current event.
    // The wait follows the platform clock: under a virtual clock it ends only when an event
    // arrives or the clock is moved on, like every run-loop wait.
    Ref<Event> NextMatching(uint64_t mask, uint64_t timeoutMs, uint32_t mode, bool dequeue);
    // The event being handled: the last one taken, or the one SendEvent delivers.
    Ref<Event> Current() const;
    void SetCurrent(Ref<Event> event);
    size_t Count() const;
    // Drops every waiting event and the current one.
    void Clear();

    // A fresh timestamp (seconds of the platform clock, later than every one before) and a
    // fresh mouse event number.
    static double Timestamp();
    int64_t NextEventNumber();

private:
    Ref<Event> Take(uint64_t mask, bool dequeue);

    mutable std::mutex fMutex;
    std::deque<Ref<Event>> fEvents;
    Ref<Event> fCurrent;
    RunLoopSource* fWaiting = nullptr; // signalled by Post while a taker waits
    int64_t fEventNumber = 0;
};

} // namespace plat
