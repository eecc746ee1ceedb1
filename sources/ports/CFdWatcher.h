#pragma once
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "platform/threads/Mutex.h"
#include "platform/io/WakePipe.h"
#include "shell/LThread.h"

#include <cstdint>

class LAsyncQueue;

// Called on the queue's thread when a watched descriptor became ready: kind 0 readable,
// 1 writable.
struct CFdCallback {
    void* context = nullptr;
    void (*function)(void* context, uint32_t kind) = nullptr;
};

// The one thread of the process that waits on the descriptors of all ports. A port
// registers its descriptor once and arms it for reading or writing whenever an operation
// would block; a ready descriptor moves to the ready list and the queue's thread calls the
// port back, once per arming. The watcher never runs port code on its own thread.
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

    // Whether the wait thread got the real-time priority it asks for.
    bool GotRealTimePriority() const { return fThread.Thread().GotWantedPriority(); }
    LAsyncQueue* Queue() const { return fSignal.Queue(); }

private:
    struct Entry;

    explicit CFdWatcher(LAsyncQueue* queue);
    ~CFdWatcher() override;

    static void ThreadEntry(void* self);
    void ThreadMain();
    void WaitOnce();
    void Dispatch();
    // Removes and destroys the descriptor's entries from all three lists. Mutex held.
    void RemoveAllEntries(int fd);
    static Entry* FindEntry(const LList& list, int fd, uint32_t kind);

    LAsyncSignal fSignal;
    LList fIdle;
    LList fArmed;
    LList fReady;
    bool fStop = false;
    plat::Mutex fMutex; // guards the three lists and the stop flag
    plat::WakePipe fPipe;
    LThread fThread;
};
