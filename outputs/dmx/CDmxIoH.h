#pragma once
#include "foundation/core/LCallbackList.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "outputs/dmx/CDmxIo.h"

#include <memory>
#include <string>

class LAsyncQueue;
class CDmxFrame;

// Holds the current DMX device and outlives it: frames queued for input while no device is
// open wait here and move to the next device that opens; listeners stay registered.
class CDmxIoH : public LHandler {
public:
    static const char* msgClose; // "CDmxIoH_Close": the device failed

    CDmxIoH(LHandler* parent, LAsyncQueue* queue);
    ~CDmxIoH() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    // 0 when a device is open already; else a new USB device is opened on the path.
    [[nodiscard]] uint32_t Open(const std::string& path);
    void Close();
    bool IsOpen() const;
    void Write(CDmxFrame* frame);
    void QueueRead(CDmxFrame* frame);
    bool CancelWrite(CDmxFrame* frame);
    bool CancelRead(CDmxFrame* frame);
    [[nodiscard]] bool AddListener(void* context, CDmxIo::Listener listener);
    CDmxIo* Device() const { return fDevice.get(); }

private:
    static void Forward(void* context, uint8_t startCode, uint32_t slotCount);

    LAsyncQueue* fQueue;
    std::unique_ptr<CDmxIo> fDevice;
    // A closed device replaced by a new one; kept until the next replacement because its own
    // failure note may be what led to the replacement.
    std::unique_ptr<CDmxIo> fRetired;
    LList fPendingReads;
    LCallbackList fListeners;
};
