#include "foundation/async/LAsyncSignal.h"

#include "foundation/async/LAsyncQueue.h"

const char* LAsyncSignal::msgX = "LAsyncSignal_X";

LAsyncSignal::LAsyncSignal(LHandler* parent, LAsyncQueue* queue) : LHandler(parent), fQueue(queue) {}

LAsyncSignal::~LAsyncSignal()
{
    if (fQueue)
        fQueue->UnregisterSignal(this);
}

void LAsyncSignal::Post()
{
    // The exchange publishes the poster's data to the delivery, which clears the flag
    // with an exchange of its own before it sends.
    if (fQueue && MarkPosted())
        fQueue->PostSignal(this);
}
