#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"

#include <atomic>

class LAsyncQueue;

// A signal any thread may post; the dispatch thread of its queue delivers it as
// {"LAsyncSignal_X", signal, parent}. Posts made before the delivery starts merge into
// one; a post made while the handler runs is delivered again.
class LAsyncSignal : public LHandler, public SSLink {
public:
    static const char* msgX;

    LAsyncSignal(LHandler* parent, LAsyncQueue* queue);
    // Takes the signal out of its queue, so that it is never delivered afterwards.
    ~LAsyncSignal() override;

    // Sets the posted flag and, when it was clear, queues the signal. Any thread.
    void Post();
    // Sets the posted flag only; true when it was clear, and the caller (a queue) must then
    // queue the signal itself.
    bool MarkPosted() { return !fPosted.exchange(true, std::memory_order_acq_rel); }
    bool IsPosted() const { return fPosted.load(std::memory_order_acquire); }
    // Clears the posted flag; the queue calls it just before delivery and on cancel.
    void ClearPosted() { fPosted.exchange(false, std::memory_order_acq_rel); }
    LAsyncQueue* Queue() const { return fQueue; }

private:
    std::atomic<bool> fPosted{false};
    LAsyncQueue* fQueue;
};
