#include "sources/usb/CUSBDevice.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "platform/Clock.h"
#include "platform/usb/UsbDevice.h"

CUSBDevice::CUSBDevice(LHandler* parent, LAsyncQueue* queue) : CAsyncIODevice(parent, queue), fSignal(this, queue) {}

CUSBDevice::~CUSBDevice()
{
    Close();
}

void CUSBDevice::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fSignal && StrEqual(msg.type, LAsyncSignal::msgX)) {
        ProcessLists();
        LMessage::Clear(result);
        return;
    }
    CAsyncIODevice::HandleMessage(result, msg);
}

bool CUSBDevice::IsOpen() const
{
    std::lock_guard lock(fDeviceLock);
    return fDevice != nullptr;
}

uint32_t CUSBDevice::Open(const std::string& path)
{
    if (IsOpen())
        return 0;
    std::unique_ptr<plat::UsbDevice> device;
    const uint32_t status = plat::UsbDevice::Open(path, device);
    if (status != plat::kUsbOpened)
        return status == plat::kUsbNoDevice || status == plat::kUsbExclusive ? status : 1;
    if (!device->SetFirstConfiguration())
        return 1;
    // A device that has just arrived may not show its interface yet.
    bool found = device->HasInterface();
    for (uint32_t tries = 1; !found && tries < kInterfaceTries; ++tries) {
        plat::SleepUs(kInterfaceRetryMs * 1000);
        found = device->HasInterface();
    }
    if (!found)
        return 1;
    const uint32_t claimed = device->ClaimInterface();
    if (claimed != plat::kUsbOpened)
        return claimed == plat::kUsbExclusive ? 3 : 1;
    std::lock_guard lock(fDeviceLock);
    fDevice = std::move(device);
    return 0;
}

void CUSBDevice::Close()
{
    std::unique_ptr<plat::UsbDevice> device;
    {
        std::lock_guard lock(fDeviceLock);
        device = std::move(fDevice);
    }
    if (!device)
        return;
    device.reset(); // every pending transfer is marked finished on the way
    ProcessLists();
}

bool CUSBDevice::FindPipe(uint32_t type, uint32_t direction, uint32_t n, uint32_t& pipe, uint32_t& endpoint)
{
    std::lock_guard lock(fDeviceLock);
    if (!fDevice)
        return false;
    plat::UsbPipe info;
    for (uint32_t index = 1; fDevice->Pipe(index, info); ++index) {
        if (static_cast<uint32_t>(info.type) != type || static_cast<uint32_t>(info.direction) != direction)
            continue;
        if (n-- == 0) {
            pipe = index;
            endpoint = info.endpoint;
            return true;
        }
    }
    return false;
}

void CUSBDevice::Prepare(CUSBRequest* request, uint8_t* buffer, uint32_t length, CUSBRequest::Callback callback,
                         void* context)
{
    request->device = this;
    request->callback = callback;
    request->context = context;
    request->buffer = buffer;
    request->length = length;
    request->status = CUSBRequest::kDone;
    request->done.store(false, std::memory_order_release);
}

void CUSBDevice::Queue(LList& list, CUSBRequest* request)
{
    std::lock_guard lock(fListLock);
    list.PushBack(request);
}

void CUSBDevice::Finish(CUSBRequest* request, uint32_t status, uint32_t count)
{
    request->status = status;
    request->length = status == CUSBRequest::kDone ? count : 0;
    request->done.store(true, std::memory_order_release);
    fSignal.Post();
}

void CUSBDevice::FailAtStart(CUSBRequest* request)
{
    request->status = CUSBRequest::kFailed;
    request->length = 0;
    request->done.store(true, std::memory_order_release);
    ProcessLists();
}

void CUSBDevice::ReadAsync(CUSBRequest* request, uint32_t pipe, uint8_t* buffer, uint32_t length,
                           CUSBRequest::Callback callback, void* context)
{
    SubmitAsync(fReads, request, pipe, buffer, length, callback, context);
}

void CUSBDevice::WriteAsync(CUSBRequest* request, uint32_t pipe, uint8_t* buffer, uint32_t length,
                            CUSBRequest::Callback callback, void* context)
{
    SubmitAsync(fWrites, request, pipe, buffer, length, callback, context);
}

void CUSBDevice::SubmitAsync(LList& list, CUSBRequest* request, uint32_t pipe, uint8_t* buffer, uint32_t length,
                             CUSBRequest::Callback callback, void* context)
{
    Prepare(request, buffer, length, callback, context);
    Queue(list, request);
    bool started = false;
    {
        std::lock_guard lock(fDeviceLock);
        if (fDevice)
            started = fDevice->Submit(pipe, buffer, length, [this, request](uint32_t status, uint32_t count) {
                Finish(request, status, count);
            });
    }
    if (!started)
        FailAtStart(request);
}

void CUSBDevice::ControlAsync(CUSBRequest* request, const uint8_t setup[8], uint8_t* buffer, uint32_t length,
                              CUSBRequest::Callback callback, void* context)
{
    Prepare(request, buffer, length, callback, context);
    for (int i = 0; i < 8; ++i)
        request->setup[i] = setup[i];
    request->data = buffer;
    Queue(fControls, request);
    plat::UsbSetup usb;
    usb.requestType = setup[0];
    usb.request = setup[1];
    usb.value = uint16_t(setup[2] | setup[3] << 8);
    usb.index = uint16_t(setup[4] | setup[5] << 8);
    usb.length = uint16_t(std::min<uint32_t>(length, uint16_t(setup[6] | setup[7] << 8)));
    bool started = false;
    {
        std::lock_guard lock(fDeviceLock);
        if (fDevice)
            started = fDevice->Control(usb, buffer, [this, request](uint32_t status, uint32_t count) {
                Finish(request, status, count);
            });
    }
    if (!started)
        FailAtStart(request);
}

void CUSBDevice::AbortPipe(uint32_t pipe)
{
    std::lock_guard lock(fDeviceLock);
    if (fDevice)
        fDevice->Abort(pipe);
}

uint32_t CUSBDevice::GetReleaseNumber(uint16_t& out)
{
    std::lock_guard lock(fDeviceLock);
    return fDevice && fDevice->ReleaseNumber(out) ? 0 : 1;
}

void CUSBDevice::ProcessLists()
{
    // The queue lock orders the callbacks of every thread that processes the lists.
    LAsyncQueueLock lock(*fQueue);
    ProcessList(fReads);
    ProcessList(fWrites);
    ProcessList(fControls);
}

void CUSBDevice::ProcessList(LList& list)
{
    for (;;) {
        CUSBRequest* request = nullptr;
        {
            std::lock_guard lock(fListLock);
            auto* head = static_cast<CUSBRequest*>(list.Head());
            if (!head || !head->IsDone())
                return;
            list.PopFront();
            request = head;
        }
        if (request->callback)
            request->callback(request->context, request);
    }
}
