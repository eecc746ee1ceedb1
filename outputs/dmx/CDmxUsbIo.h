#pragma once
#include "outputs/dmx/CDmxIo.h"
#include "outputs/dmx/DmxUsbPackets.h"
#include "sources/usb/CUSBDevice.h"

#include <memory>

// The DMX interface over USB: frames go out in 64-byte packets on the interrupt out pipe;
// 16 reads of 64 bytes stay outstanding on the interrupt in pipe and are unpacked into
// frames; settings travel as vendor control requests.
class CDmxUsbIo : public CDmxIo {
public:
    static constexpr uint32_t kReads = 16;

    CDmxUsbIo(LHandler* parent, LAsyncQueue* queue);
    // Completes every waiting settings request with status 1.
    ~CDmxUsbIo() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void QueueGetSettings(CDmxSettingsRequest* request, void* context, CDmxSettingsRequest::Callback callback) override;
    bool CancelGetSettings(CDmxSettingsRequest* request) override;
    void QueueSetSettings(CDmxSettingsRequest* request, void* context, CDmxSettingsRequest::Callback callback,
                          const uint32_t values[3]) override;
    bool CancelSetSettings(CDmxSettingsRequest* request) override;

    // Unpacks one received packet of `length` bytes. Caller holds the queue lock.
    void Unpack(const uint8_t* packet, uint32_t length);

protected:
    uint32_t DeviceOpen(const std::string& path) override;
    void DeviceClose() override;
    void DeviceWrite(uint32_t length) override;
    void DeviceArmInput() override;

private:
    static void OnWriteDone(void* context, CUSBRequest* request);
    static void OnReadDone(void* context, CUSBRequest* request);
    static void OnControlDone(void* context, CUSBRequest* request);
    void TakeByte(uint8_t byte, bool start);
    void StartNextControl();
    void FinishControl();

    CUSBDevice fUsb;
    std::unique_ptr<CUSBRequest> fWriteRequest;
    std::unique_ptr<CUSBRequest> fControlRequest;
    std::unique_ptr<CUSBRequest> fReadRequests[kReads];
    uint32_t fOutPipe = 0;
    uint32_t fInPipe = 0;
    uint32_t fOutEndpoint = 0;
    uint32_t fInEndpoint = 0;
    uint16_t fCompleted = 0;
    uint16_t fIssued = 0;
    uint8_t fReceive[kReads][DmxUsbPackets::kPacketSize] = {};
    uint16_t fAssembled = 0;
    bool fUnpacking = false;
    LList fGetRequests;
    LList fSetRequests;
    CDmxSettingsRequest* fCurrent = nullptr;
    bool fControlBusy = false;
    bool fExpectReply = false;
    uint32_t fControlStatus = 0;
    LAsyncEvent fControlNote;
    uint8_t fControlOut[4] = {};
    uint8_t fControlIn[6] = {};
    uint8_t fPacketBuffer[DmxUsbPackets::kPacketSize * 10] = {};
};
