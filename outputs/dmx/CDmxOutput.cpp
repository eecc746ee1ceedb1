#include "outputs/dmx/CDmxOutput.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "platform/usb/UsbDevice.h"
#include "shell/devices/CIOServiceIter.h"

#include <algorithm>
#include <cmath>

namespace {

// value × scale truncated toward zero within 0..top; NaN gives 0.
uint32_t ScaledLevel(float value, double scale, uint32_t top)
{
    const double scaled = static_cast<double>(value) * scale;
    if (std::isnan(scaled))
        return 0;
    return static_cast<uint32_t>(std::trunc(std::clamp(scaled, 0.0, static_cast<double>(top))));
}

} // namespace

CDmxOutput::CDmxOutput(LHandler* owner, LAsyncQueue* queue, plat::DeviceRegistry& registry)
    : LHandler(owner),
      fQueue(queue),
      fRegistry(registry),
      fRefresh(this, queue),
      fNotifier(this, registry),
      fHolder(this, queue),
      fReadFrame(this, &OnInput),
      fSendFrame(this, &OnSent)
{
    fOutFrame.Clear(true);
}

CDmxOutput::~CDmxOutput()
{
    CloseDevice();
    fRefresh.Stop();
    // The frames go before the holder: make sure no queue of it still holds them.
    fHolder.CancelRead(&fReadFrame);
    fHolder.CancelWrite(&fSendFrame);
}

void CDmxOutput::SetChannel8(uint32_t ch, float value)
{
    if (ch < CDmxFrame::kMaxSize)
        fOutFrame.Set(ch, uint8_t(ScaledLevel(value, 255.0, 255)));
}

void CDmxOutput::SetChannel16(uint32_t ch, float value)
{
    const uint32_t level = ScaledLevel(value, 65535.0, 65535);
    if (ch < CDmxFrame::kMaxSize)
        fOutFrame.Set(ch, uint8_t(level >> 8));
    if (ch + 1 < CDmxFrame::kMaxSize)
        fOutFrame.Set(ch + 1, uint8_t(level & 0xFF));
}

void CDmxOutput::SetChannel(uint32_t ch, uint8_t value)
{
    if (ch < CDmxFrame::kMaxSize)
        fOutFrame.Set(ch, value);
}

void CDmxOutput::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fRefresh && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        fRefresh.Start(kRefreshMs);
        Send();
    } else if (msg.subject == &fNotifier && StrEqual(msg.type, CDmxIoNote::msgChange)) {
        OpenDevice();
    } else if (msg.subject == &fHolder && StrEqual(msg.type, CDmxIoH::msgClose)) {
        CloseDevice();
        OpenDevice();
    } else {
        LHandler::HandleMessage(result, msg);
        return;
    }
    LMessage::Clear(result);
}

void CDmxOutput::OpenDevice()
{
    if (fIsOpen)
        return;
    const plat::DeviceMatch match = plat::DeviceMatch(plat::DeviceKind::Usb)
                                        .Require("idVendor", CDmxIoNote::kVendor)
                                        .Require("idProduct", CDmxIoNote::kProduct);
    CIOServiceIter devices(&match, fRegistry);
    const plat::DeviceId first = devices.Next();
    const auto info = first ? fRegistry.Info(first) : std::nullopt;
    const std::string path = info ? plat::UsbDevicePath(*info) : std::string();
    if (path.empty() || fHolder.Open(path) != 0)
        return;
    LAsyncQueueLock lock(*fQueue);
    fIsOpen = true;
    fSending = false;
    fHolder.QueueRead(&fReadFrame);
    fRefresh.Start(kSettleMs);
}

void CDmxOutput::CloseDevice()
{
    if (!fIsOpen)
        return;
    {
        LAsyncQueueLock lock(*fQueue);
        fIsOpen = false;
        fRefresh.Stop();
        fHolder.CancelRead(&fReadFrame);
        fHolder.CancelWrite(&fSendFrame);
    }
    fHolder.Close();
}

void CDmxOutput::Send()
{
    LAsyncQueueLock lock(*fQueue);
    if (fSending)
        return;
    fSending = true;
    if (fPassPending) {
        fSendFrame.Copy(fPassFrame);
        fPassPending = false;
    } else {
        fSendFrame.Clear(true);
        for (uint32_t k = 1; k < CDmxFrame::kMaxSize; ++k)
            fSendFrame.Set(k, std::max(fInFrame.Slot(k), fOutFrame.Slot(k)));
    }
    fHolder.Write(&fSendFrame);
}

void CDmxOutput::OnSent(void* context, CDmxFrame*)
{
    static_cast<CDmxOutput*>(context)->fSending = false;
}

void CDmxOutput::OnInput(void* context, CDmxFrame* frame)
{
    auto* self = static_cast<CDmxOutput*>(context);
    LAsyncQueueLock lock(*self->fQueue);
    // Levels come only from frames of start code 0; any other frame is passed on once.
    if (frame->StartCode() == 0) {
        self->fInFrame.Copy(*frame);
    } else {
        self->fPassFrame.Copy(*frame);
        self->fPassPending = true;
    }
    self->fHolder.QueueRead(frame);
    self->fRefresh.Start(kSettleMs);
    self->Send();
}
