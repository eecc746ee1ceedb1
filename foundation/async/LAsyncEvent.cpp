#include "foundation/async/LAsyncEvent.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"

const char* LAsyncEvent::msgNote = "LAsyncEvent_Note";

LAsyncEvent::LAsyncEvent(LHandler* parent, LAsyncQueue* queue) : LHandler(parent), fQueue(queue), fTimer(this) {}

LAsyncEvent::~LAsyncEvent()
{
    if (fQueue)
        fQueue->Remove(*this);
}

void LAsyncEvent::Post()
{
    if (fQueue)
        fQueue->Post(*this);
}

void LAsyncEvent::Cancel()
{
    if (fQueue)
        fQueue->Remove(*this);
    fTimer.Stop();
    fNoteArmed.store(false, std::memory_order_release);
}

void LAsyncEvent::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        // Cleared before the note goes out: a post made while the note is handled queues a new one.
        fNoteArmed.store(false, std::memory_order_release);
        result = LMessage(msgNote, this, Parent());
        return;
    }
    LHandler::HandleMessage(result, msg);
}
