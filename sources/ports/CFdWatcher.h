#pragma once
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "platform/io/FdPollSet.h"
#include "platform/io/WakePipe.h"
#include "platform/threads/Mutex.h"
#include "shell/LThread.h"

#include <atomic>
#include <cstdint>

class LAsyncQueue;

// Called on the queue's thread when a watched descriptor became ready: kind 0 readable,
// 1 writable.
struct CFdCallback {
    void* context = nullptr;
    void (*function)(void* context, uint32_t kind) = nullptr;
};

// The one waiter of the process on the descriptors of all ports. A port registers its
// descriptor once and arms it for reading or writing whenever an operation would block; a
// ready descriptor moves to the ready list and the queue's thread calls the port back, once
// per arming. The descriptors sit in a kernel-kept set, so arming never wakes the waiter.
// The queue's own thread waits on that set when the queue can (no thread hop between a
// ready descriptor and its callback); otherwise a thread of the watcher waits and signals
// the queue. Port code never runs on the watcher's thread.
class CFdWatcher : public LHandler {
public:
    static constexpr uint32_t kReadable = 0;
    static constexpr uint32_t kWritable = 1;

    // Counts one more user and makes the watcher on the first use, serving that queue.
    static CFdWatcher* Acquire(LAsyncQueue* queue);
    // Counts one user less and destroys the watcher with the last one.
    static void Release();

    // Watches a descriptor (made non-blocking) for callbacks; any descriptor number. A
    // descriptor registered again replaces its callback. Any thread.
    void Register(int fd, const CFdCallback& callback);
    // Forgets the descriptor: no callback reaches it afterwards, not even one already
    // waiting on the ready list. Clears its file-status flags. Any thread.
    void Unregister(int fd);
    // Asks for one callback when the descriptor becomes ready for the kind; nothing when
    // that kind is already armed or waits to be called back. Any thread.
    void Arm(int fd, uint32_t kind);

    // Calls back the ready descriptors when the watcher's signal arrives.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // Whether the wait thread got the real-time priority it asks for (false without one).
    bool GotRealTimePriority() const { return fThread.Thread().GotWantedPriority(); }
    // Whether the queue's own thread waits on the descriptors.
    bool QueueWaits() const { return fQueueWaits.load(std::memory_order_acquire); }
    LAsyncQueue* Queue() const { return fSignal.Queue(); }

private:
    struct Entry;

    explicit CFdWatcher(LAsyncQueue* queue);
    ~CFdWatcher() override;

    static void ThreadEntry(void* self);
    void ThreadMain();
    // Waits up to timeoutMs for the set and moves what became ready to the ready list.
    // True when something moved.
    bool Collect(int timeoutMs);
    void Dispatch();
    // Asks the set for the kinds of fd that are armed. False when the descriptor cannot be
    // waited on. Mutex held.
    bool WatchArmed(int fd, uint32_t generation);
    // Moves the descriptor's armed entries to the ready list. Mutex held.
    void MoveArmedToReady(int fd);
    // The generation of the descriptor's registration; 0 when it has none. Mutex held.
    uint32_t GenerationOf(int fd) const;
    // Removes and destroys the descriptor's entries from all three lists. Mutex held.
    void RemoveAllEntries(int fd);
    static Entry* FindEntry(const LList& list, int fd, uint32_t kind);

    LAsyncSignal fSignal;
    LList fIdle;
    LList fArmed;
    LList fReady;
    bool fStop = false;
    uint32_t fGeneration = 0; // of the last registration: a stale readiness names an older one
    plat::Mutex fMutex;       // guards the three lists, the generation and the stop flag
    plat::FdPollSet fSet;
    plat::WakePipe fPipe;     // ends the wait thread's wait
    std::atomic<bool> fQueueWaits{false}; // set once, after the queue began to watch
    LThread fThread;
};
