#include "outputs/dmx/CDmxUsbIo.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr uint32_t kInterrupt = 3;
constexpr uint32_t kIn = 1;
constexpr uint32_t kOut = 0;

} // namespace

CDmxUsbIo::CDmxUsbIo(LHandler* parent, LAsyncQueue* queue)
    : CDmxIo(parent, queue), fUsb(this, queue), fControlNote(this, queue)
{
    fWriteRequest.reset(fUsb.NewRequest());
    fControlRequest.reset(fUsb.NewRequest());
    for (auto& request : fReadRequests)
        request.reset(fUsb.NewRequest());
}

CDmxUsbIo::~CDmxUsbIo()
{
    fUsb.Close();
    fControlNote.Cancel();
    LAsyncQueueLock lock(*fQueue);
    if (fCurrent)
        std::exchange(fCurrent, nullptr)->Finish(1);
    for (LList* list : {&fSetRequests, &fGetRequests}) {
        while (SSLink* link = list->PopFront())
            static_cast<CDmxSettingsRequest*>(link)->Finish(1);
    }
}

uint32_t CDmxUsbIo::DeviceOpen(const std::string& path)
{
    const uint32_t status = fUsb.Open(path);
    if (status != 0)
        return status == 3 ? 2 : 1;
    if (!fUsb.FindPipe(kInterrupt, kIn, 0, fInPipe, fInEndpoint) ||
        !fUsb.FindPipe(kInterrupt, kOut, 0, fOutPipe, fOutEndpoint)) {
        fUsb.Close();
        return 1;
    }
    LAsyncQueueLock lock(*fQueue);
    fCompleted = fIssued = 0;
    fAssembled = 0;
    fUnpacking = false;
    fIsOpen = true;
    fWriteBusy = false;
    DeviceArmInput();
    SendNext();
    return 0;
}

void CDmxUsbIo::DeviceClose()
{
    fUsb.Close();
}

void CDmxUsbIo::DeviceWrite(uint32_t length)
{
    const uint32_t packed = DmxUsbPackets::Pack(fWriteBuffer, length, fPacketBuffer);
    fUsb.WriteAsync(fWriteRequest.get(), fOutPipe, fPacketBuffer, packed, &OnWriteDone, this);
}

void CDmxUsbIo::OnWriteDone(void* context, CUSBRequest* request)
{
    auto* self = static_cast<CDmxUsbIo*>(context);
    LAsyncQueueLock lock(*self->fQueue);
    self->fWriteBusy = false;
    if (request->status == CUSBRequest::kDone)
        self->SendNext();
    else
        self->ReportFailure();
}

void CDmxUsbIo::DeviceArmInput()
{
    while (fIsOpen && uint16_t(fIssued - fCompleted) < kReads) {
        const uint32_t area = fIssued & (kReads - 1);
        ++fIssued;
        fUsb.ReadAsync(fReadRequests[area].get(), fInPipe, fReceive[area], DmxUsbPackets::kPacketSize, &OnReadDone,
                       this);
    }
}

void CDmxUsbIo::OnReadDone(void* context, CUSBRequest* request)
{
    auto* self = static_cast<CDmxUsbIo*>(context);
    LAsyncQueueLock lock(*self->fQueue);
    // Reads are called back in the order they were issued: this is area `completed`.
    const uint32_t area = self->fCompleted & (kReads - 1);
    ++self->fCompleted;
    if (request->status != CUSBRequest::kDone) {
        self->ReportFailure();
        return;
    }
    self->Unpack(self->fReceive[area], request->length);
    self->DeliverInput();
}

void CDmxUsbIo::Unpack(const uint8_t* packet, uint32_t length)
{
    if (fUnpacking)
        return;
    fUnpacking = true;
    length = std::min(length, DmxUsbPackets::kPacketSize);
    for (uint32_t group = 0; group + 2 < length; group += DmxUsbPackets::kBytesPerGroup + 1) {
        const uint8_t flags = packet[1 + group];
        for (uint32_t k = 0; k < DmxUsbPackets::kBytesPerGroup && group + k + 2 < length; ++k)
            TakeByte(packet[group + k + 2], (flags >> k) & 1);
    }
    fUnpacking = false;
}

void CDmxUsbIo::TakeByte(uint8_t byte, bool start)
{
    DropOldestIfFull();
    if (start) {
        if (fAssembled > 0) {
            FinishInput(std::exchange(fAssembled, 0));
            DropOldestIfFull();
        }
        InputBuffer()[0] = byte;
        fAssembled = 1;
    } else if (fAssembled > 0 && fAssembled < CDmxFrame::kMaxSize) {
        InputBuffer()[fAssembled++] = byte;
    } else {
        return; // no frame under way, or a full frame waiting for its end
    }
    if (fAssembled == CDmxFrame::kMaxSize && InputBuffer()[0] == 0)
        FinishInput(std::exchange(fAssembled, 0));
}

void CDmxUsbIo::QueueGetSettings(CDmxSettingsRequest* request, void* context, CDmxSettingsRequest::Callback callback)
{
    request->context = context;
    request->callback = callback;
    LAsyncQueueLock lock(*fQueue);
    fGetRequests.PushBack(request);
    StartNextControl();
}

void CDmxUsbIo::QueueSetSettings(CDmxSettingsRequest* request, void* context, CDmxSettingsRequest::Callback callback,
                                 const uint32_t values[3])
{
    std::copy(values, values + 3, request->values);
    request->context = context;
    request->callback = callback;
    LAsyncQueueLock lock(*fQueue);
    fSetRequests.PushBack(request);
    StartNextControl();
}

bool CDmxUsbIo::CancelGetSettings(CDmxSettingsRequest* request)
{
    LAsyncQueueLock lock(*fQueue);
    return fGetRequests.Remove(request);
}

bool CDmxUsbIo::CancelSetSettings(CDmxSettingsRequest* request)
{
    LAsyncQueueLock lock(*fQueue);
    return fSetRequests.Remove(request);
}

void CDmxUsbIo::StartNextControl()
{
    if (fControlBusy || !fIsOpen)
        return;
    const bool isSet = !fSetRequests.IsEmpty();
    auto* request = static_cast<CDmxSettingsRequest*>(isSet ? fSetRequests.PopFront() : fGetRequests.PopFront());
    if (!request)
        return;
    fCurrent = request;
    fControlBusy = true;
    fExpectReply = !isSet;
    uint8_t setup[8] = {};
    if (isSet) {
        for (int i = 0; i < 3; ++i)
            fControlOut[i] = uint8_t(request->values[i]);
        fControlOut[3] = 0;
        const uint8_t bytes[8] = {0x42, 0x03, 0, 0, uint8_t(fOutEndpoint), 0, 4, 0};
        std::memcpy(setup, bytes, 8);
        fUsb.ControlAsync(fControlRequest.get(), setup, fControlOut, 4, &OnControlDone, this);
    } else {
        const uint8_t bytes[8] = {0xC2, 0x00, 0, 0, uint8_t(fInEndpoint), 0, 6, 0};
        std::memcpy(setup, bytes, 8);
        fUsb.ControlAsync(fControlRequest.get(), setup, fControlIn, 6, &OnControlDone, this);
    }
}

void CDmxUsbIo::OnControlDone(void* context, CUSBRequest* request)
{
    auto* self = static_cast<CDmxUsbIo*>(context);
    LAsyncQueueLock lock(*self->fQueue);
    self->fControlStatus = request->status == CUSBRequest::kDone ? 0 : request->status == CUSBRequest::kStalled ? 2 : 1;
    if (self->fControlStatus == 0 && self->fExpectReply && self->fCurrent) {
        for (int i = 0; i < 3; ++i) {
            uint16_t value = 0;
            std::memcpy(&value, self->fControlIn + 2 * i, 2);
            self->fCurrent->values[i] = value;
        }
    }
    self->fControlNote.Post();
}

void CDmxUsbIo::FinishControl()
{
    CDmxSettingsRequest* request = nullptr;
    uint32_t status = 0;
    {
        LAsyncQueueLock lock(*fQueue);
        if (!fControlBusy)
            return;
        request = std::exchange(fCurrent, nullptr);
        status = fControlStatus;
        fControlBusy = false;
    }
    if (request)
        request->Finish(status);
    LAsyncQueueLock lock(*fQueue);
    StartNextControl();
}

void CDmxUsbIo::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fControlNote && StrEqual(msg.type, LAsyncEvent::msgNote)) {
        FinishControl();
        LMessage::Clear(result);
        return;
    }
    CDmxIo::HandleMessage(result, msg);
}
