#include "outputs/dmx/CDmxIo.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"

#include <algorithm>

const char* CDmxIo::msgClose = "CDmxIo_Close";

CDmxIo::CDmxIo(LHandler* parent, LAsyncQueue* queue) : LHandler(parent), fQueue(queue), fNote(this, queue) {}

CDmxIo::~CDmxIo() = default;

void CDmxIo::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fNote && StrEqual(msg.type, LAsyncEvent::msgNote)) {
        if (fIsOpen)
            LMessage::Send(LMessage(msgClose, this, Parent()));
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

uint32_t CDmxIo::Open(const std::string& path)
{
    if (fIsOpen)
        return 0;
    {
        LAsyncQueueLock lock(*fQueue);
        ResetInput();
    }
    return DeviceOpen(path);
}

void CDmxIo::Close()
{
    {
        LAsyncQueueLock lock(*fQueue);
        fIsOpen = false;
        while (SSLink* link = fWriteQueue.PopFront())
            static_cast<CDmxFrame*>(link)->Complete();
    }
    DeviceClose();
    fNote.Cancel();
}

void CDmxIo::ResetInput()
{
    fReadIndex = 0;
    fWriteIndex = 0;
    fInSizes[0] = fInSizes[1] = 0;
}

void CDmxIo::QueueWrite(CDmxFrame* frame)
{
    LAsyncQueueLock lock(*fQueue);
    if (!fIsOpen) {
        frame->Complete();
        return;
    }
    fWriteQueue.PushBack(frame);
    SendNext();
}

void CDmxIo::SendNext()
{
    if (!fIsOpen || fWriteBusy)
        return;
    auto* frame = static_cast<CDmxFrame*>(fWriteQueue.PopFront());
    if (!frame)
        return;
    const uint32_t n = std::min(frame->Size(), CDmxFrame::kMaxSize);
    frame->CopyOut(fWriteBuffer, n);
    fWriteBusy = true;
    DeviceWrite(n);
    frame->Complete();
}

void CDmxIo::QueueRead(CDmxFrame* frame)
{
    LAsyncQueueLock lock(*fQueue);
    fReadQueue.PushBack(frame);
    DeliverInput();
}

bool CDmxIo::CancelWrite(CDmxFrame* frame)
{
    LAsyncQueueLock lock(*fQueue);
    return fWriteQueue.Remove(frame);
}

bool CDmxIo::CancelRead(CDmxFrame* frame)
{
    LAsyncQueueLock lock(*fQueue);
    return fReadQueue.Remove(frame);
}

bool CDmxIo::AddListener(void* context, Listener listener)
{
    LAsyncQueueLock lock(*fQueue);
    return fListeners.Add(context, listener);
}

void CDmxIo::RemoveListener(void* context, Listener listener)
{
    LAsyncQueueLock lock(*fQueue);
    fListeners.Remove(context, listener);
}

void CDmxIo::ReportFailure()
{
    if (fIsOpen)
        fNote.Post();
}

void CDmxIo::DropOldestIfFull()
{
    if (uint8_t(fWriteIndex - fReadIndex) >= 2)
        ++fReadIndex;
}

void CDmxIo::FinishInput(uint32_t size)
{
    fInSizes[fWriteIndex & 1] = uint16_t(std::clamp<uint32_t>(size, 1, CDmxFrame::kMaxSize));
    ++fWriteIndex;
    DeliverInput();
}

void CDmxIo::DeliverInput()
{
    while (fReadIndex != fWriteIndex && !fReadQueue.IsEmpty()) {
        const uint8_t* bytes = fInBuffers[fReadIndex & 1];
        const uint32_t size = fInSizes[fReadIndex & 1];
        fListeners.ForEach([&](const LCallbackEntry& entry) {
            entry.As<Listener>()(entry.context, bytes[0], size - 1);
        });
        auto* frame = static_cast<CDmxFrame*>(fReadQueue.PopFront());
        frame->Resize(size);
        frame->CopyIn(bytes, size);
        ++fReadIndex;
        frame->Complete();
    }
    if (fIsOpen)
        DeviceArmInput();
}

void CDmxIo::QueueGetSettings(CDmxSettingsRequest* request, void* context, CDmxSettingsRequest::Callback callback)
{
    request->context = context;
    request->callback = callback;
    request->Finish(2);
}

void CDmxIo::QueueSetSettings(CDmxSettingsRequest* request, void* context, CDmxSettingsRequest::Callback callback,
                              const uint32_t values[3])
{
    std::copy(values, values + 3, request->values);
    request->context = context;
    request->callback = callback;
    request->Finish(2);
}
