#pragma once
#include "foundation/async/LAsyncTimer.h"
#include "foundation/core/LHandler.h"
#include "outputs/dmx/CDmxFrame.h"
#include "outputs/dmx/CDmxIoH.h"
#include "outputs/dmx/CDmxIoNote.h"
#include "platform/devices/DeviceRegistry.h"

#include <atomic>

class CFaderEngine;
class LAsyncQueue;

// The application's DMX output, shared by every document: the program's frame that faders
// and the DMX console write, merged with the last frame from the interface's DMX input and
// sent to the interface every 33 ms while it is there.
class CDmxOutput : public LHandler {
public:
    static constexpr uint32_t kRefreshMs = 33;
    static constexpr uint32_t kSettleMs = 100; // after opening and after each input frame

    CDmxOutput(LHandler* owner, LAsyncQueue* queue, plat::DeviceRegistry& registry = plat::SystemDevices());
    ~CDmxOutput() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // Channel ch (1..512; 0 is the start code) of the program's frame. Values outside 0..1
    // and values that are not numbers are clamped; NaN gives 0.
    void SetChannel8(uint32_t ch, float value);
    // Two channels, high byte first: ch and ch + 1.
    void SetChannel16(uint32_t ch, float value);
    void SetChannel(uint32_t ch, uint8_t value);

    CFaderEngine* Driver() const { return fDriver.load(); }
    void SetDriver(CFaderEngine* engine) { fDriver.store(engine); }

    bool IsOpen() const { return fIsOpen; }
    const CDmxFrame& OutFrame() const { return fOutFrame; }
    const CDmxFrame& InFrame() const { return fInFrame; }
    CDmxIoH& Holder() { return fHolder; }

    // Opens the first interface present, when closed.
    void OpenDevice();
    void CloseDevice();
    // Sends the merged frame (or a pending pass-through frame) unless one is in flight.
    void Send();

private:
    static void OnInput(void* context, CDmxFrame* frame);
    static void OnSent(void* context, CDmxFrame* frame);

    LAsyncQueue* fQueue;
    plat::DeviceRegistry& fRegistry;
    LAsyncTimer fRefresh;
    CDmxIoNote fNotifier;
    CDmxIoH fHolder;
    CDmxFrame fOutFrame;
    CDmxFrame fInFrame;   // the last input frame of start code 0: merged slot by slot
    CDmxFrame fPassFrame; // the last input frame of another start code: sent once unchanged
    bool fPassPending = false;
    CDmxFrame fReadFrame;
    CDmxFrame fSendFrame;
    bool fIsOpen = false;
    bool fSending = false;
    std::atomic<CFaderEngine*> fDriver{nullptr};
};
