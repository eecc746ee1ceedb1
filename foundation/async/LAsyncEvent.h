#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "ui/LTimer.h"

#include <atomic>

class LAsyncQueue;

// A note for the main thread: any thread posts it, and its parent receives
// {"LAsyncEvent_Note", event, parent} on the main thread. Posts made while the note is
// pending or on its way merge into one.
class LAsyncEvent : public LHandler, public SSLink {
public:
    static const char* msgNote;

    LAsyncEvent(LHandler* parent, LAsyncQueue* queue);
    ~LAsyncEvent() override;

    // Queues the note unless it is already pending or on its way. Any thread.
    void Post();
    // Takes a pending note back and stops one on its way. Main thread.
    void Cancel();
    // Turns the expiry of the embedded timer into the note.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // The main-thread timer that carries the note.
    const LTimer& Timer() const { return fTimer; }
    LAsyncQueue* Queue() const { return fQueue; }

private:
    friend class LAsyncQueue;
    LAsyncQueue* fQueue;
    LTimer fTimer;
    // Set when the drain starts the timer, cleared when the note goes out or is cancelled;
    // posters on other threads read it instead of the main thread's timer lists.
    std::atomic<bool> fNoteArmed{false};
};
