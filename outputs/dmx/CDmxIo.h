#pragma once
#include "foundation/async/LAsyncEvent.h"
#include "foundation/core/LCallbackList.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "outputs/dmx/CDmxFrame.h"
#include "outputs/dmx/CDmxSettingsRequest.h"

#include <cstdint>
#include <string>

class LAsyncQueue;

// The device-independent side of a DMX interface: frames queued for writing go out one at a
// time; received frames land in a pair of input buffers and are handed to the frames queued
// for input and to the listeners. Device state and queues change under the queue lock.
class CDmxIo : public LHandler {
public:
    static const char* msgClose; // "CDmxIo_Close": the device failed and should be closed
    using Listener = void (*)(void* context, uint8_t startCode, uint32_t slotCount);

    CDmxIo(LHandler* parent, LAsyncQueue* queue);
    ~CDmxIo() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // 0 when already open; else resets the input and opens the device.
    [[nodiscard]] uint32_t Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fIsOpen; }
    // A frame written while the device is closed completes at once.
    void QueueWrite(CDmxFrame* frame);
    void QueueRead(CDmxFrame* frame);
    // Take a queued frame back without completing it; false when it was not queued.
    bool CancelWrite(CDmxFrame* frame);
    bool CancelRead(CDmxFrame* frame);
    [[nodiscard]] bool AddListener(void* context, Listener listener);
    void RemoveListener(void* context, Listener listener);
    // Tells the main thread that the device failed, while it is open.
    void ReportFailure();

    virtual void QueueGetSettings(CDmxSettingsRequest* request, void* context, CDmxSettingsRequest::Callback callback);
    virtual bool CancelGetSettings(CDmxSettingsRequest*) { return false; }
    virtual void QueueSetSettings(CDmxSettingsRequest* request, void* context, CDmxSettingsRequest::Callback callback,
                                  const uint32_t values[3]);
    virtual bool CancelSetSettings(CDmxSettingsRequest*) { return false; }

protected:
    virtual uint32_t DeviceOpen(const std::string& path) = 0;
    virtual void DeviceClose() = 0;
    // Sends the first `length` bytes of fWriteBuffer.
    virtual void DeviceWrite(uint32_t length) = 0;
    virtual void DeviceArmInput() = 0;

    // Writes the first queued frame when open and idle. Caller holds the queue lock.
    void SendNext();
    // Hands finished input buffers to the frames waiting for input. Caller holds the lock.
    void DeliverInput();
    // The buffer being filled by input, and finishing it with a size.
    uint8_t* InputBuffer() { return fInBuffers[fWriteIndex & 1]; }
    void FinishInput(uint32_t size);
    // Makes room for a new input byte: drops the oldest unread buffer when both are full.
    void DropOldestIfFull();
    void ResetInput();

    LAsyncQueue* fQueue;
    LAsyncEvent fNote;
    bool fIsOpen = false;
    bool fWriteBusy = false;
    uint8_t fWriteBuffer[CDmxFrame::kMaxSize] = {};

private:
    LList fWriteQueue;
    LList fReadQueue;
    LCallbackList fListeners;
    uint8_t fReadIndex = 0;
    uint8_t fWriteIndex = 0;
    uint16_t fInSizes[2] = {};
    uint8_t fInBuffers[2][CDmxFrame::kMaxSize] = {};
};
