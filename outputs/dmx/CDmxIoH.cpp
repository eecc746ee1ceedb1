#include "outputs/dmx/CDmxIoH.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "outputs/dmx/CDmxUsbIo.h"

const char* CDmxIoH::msgClose = "CDmxIoH_Close";

CDmxIoH::CDmxIoH(LHandler* parent, LAsyncQueue* queue) : LHandler(parent), fQueue(queue) {}

CDmxIoH::~CDmxIoH()
{
    Close();
    fDevice.reset();
    fRetired.reset();
}

void CDmxIoH::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fDevice && msg.subject == fDevice.get() && StrEqual(msg.type, CDmxIo::msgClose)) {
        LMessage::Send(LMessage(msgClose, this, Parent()));
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

bool CDmxIoH::IsOpen() const
{
    return fDevice && fDevice->IsOpen();
}

uint32_t CDmxIoH::Open(const std::string& path)
{
    if (IsOpen())
        return 0;
    if (fDevice)
        fRetired = std::move(fDevice);
    auto device = std::make_unique<CDmxUsbIo>(this, fQueue);
    const uint32_t status = device->Open(path);
    if (status != 0)
        return status;
    LAsyncQueueLock lock(*fQueue);
    fDevice = std::move(device);
    (void)fDevice->AddListener(this, &Forward);
    while (SSLink* link = fPendingReads.PopFront())
        fDevice->QueueRead(static_cast<CDmxFrame*>(link));
    return 0;
}

void CDmxIoH::Close()
{
    if (fDevice)
        fDevice->Close();
}

void CDmxIoH::Write(CDmxFrame* frame)
{
    if (fDevice) {
        fDevice->QueueWrite(frame);
        return;
    }
    frame->Complete();
}

void CDmxIoH::QueueRead(CDmxFrame* frame)
{
    LAsyncQueueLock lock(*fQueue);
    if (fDevice && fDevice->IsOpen())
        fDevice->QueueRead(frame);
    else
        fPendingReads.PushBack(frame);
}

bool CDmxIoH::CancelWrite(CDmxFrame* frame)
{
    return fDevice && fDevice->CancelWrite(frame);
}

bool CDmxIoH::CancelRead(CDmxFrame* frame)
{
    LAsyncQueueLock lock(*fQueue);
    if (fPendingReads.Remove(frame))
        return true;
    return fDevice && fDevice->CancelRead(frame);
}

bool CDmxIoH::AddListener(void* context, CDmxIo::Listener listener)
{
    LAsyncQueueLock lock(*fQueue);
    return fListeners.Add(context, listener);
}

void CDmxIoH::Forward(void* context, uint8_t startCode, uint32_t slotCount)
{
    static_cast<CDmxIoH*>(context)->fListeners.ForEach([&](const LCallbackEntry& entry) {
        entry.As<CDmxIo::Listener>()(entry.context, startCode, slotCount);
    });
}
