#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"

#include <cstdint>

class LAsyncQueue;

// A one-shot timer on the dispatch thread of its queue. It expires there as
// {"LAsyncTimer_Expire", timer, parent}, sent with the queue lock held.
class LAsyncTimer : public LHandler, public SSLink {
public:
    static const char* msgExpire;

    LAsyncTimer(LHandler* parent, LAsyncQueue* queue);
    // Unlinks the timer under the queue lock: it never fires afterwards.
    ~LAsyncTimer() override;

    // Schedules the timer for now + delay ms (0: as soon as the queue runs); a scheduled
    // timer moves. Takes the queue lock. Any thread.
    void Start(uint32_t delayMs);
    // Unschedules the timer. Takes the queue lock. Any thread.
    void Stop();
    bool IsScheduled() const;
    uint32_t Due() const { return fDue; }
    LAsyncQueue* Queue() const { return fQueue; }

private:
    friend class LAsyncQueue;
    LAsyncQueue* fQueue;
    uint32_t fDue = 0; // on the queue's clock; guarded by the queue lock
};
