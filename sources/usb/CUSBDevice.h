#pragma once
#include "foundation/async/LAsyncSignal.h"
#include "sources/usb/CAsyncIODevice.h"

#include <memory>
#include <mutex>

namespace plat {
class UsbDevice;
}

// A USB device opened by path, with its first interface claimed. Transfers complete on any
// thread, which only marks the request done and posts the device's signal; on the queue's
// thread the signal calls back every finished request at the head of each list.
class CUSBDevice : public CAsyncIODevice {
public:
    // Tries for the interface this often, this many ms apart, before opening fails.
    static constexpr uint32_t kInterfaceTries = 10;
    static constexpr uint32_t kInterfaceRetryMs = 10;

    CUSBDevice(LHandler* parent, LAsyncQueue* queue);
    ~CUSBDevice() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    bool IsOpen() const override;
    [[nodiscard]] uint32_t Open(const std::string& path) override;
    // Closes the device; every request still queued is called back (failed) before it returns.
    void Close() override;
    CUSBRequest* NewRequest() override { return new CUSBRequest; }
    bool FindPipe(uint32_t type, uint32_t direction, uint32_t n, uint32_t& pipe, uint32_t& endpoint) override;
    void ReadAsync(CUSBRequest* request, uint32_t pipe, uint8_t* buffer, uint32_t length,
                   CUSBRequest::Callback callback, void* context) override;
    void WriteAsync(CUSBRequest* request, uint32_t pipe, uint8_t* buffer, uint32_t length,
                    CUSBRequest::Callback callback, void* context) override;
    void ControlAsync(CUSBRequest* request, const uint8_t setup[8], uint8_t* buffer, uint32_t length,
                      CUSBRequest::Callback callback, void* context) override;
    void AbortPipe(uint32_t pipe) override;
    uint32_t GetReleaseNumber(uint16_t& out) override;

    // Calls back the finished requests at the head of each list, reads first, then writes,
    // then control requests. Takes the queue lock.
    void ProcessLists();

private:
    void Prepare(CUSBRequest* request, uint8_t* buffer, uint32_t length, CUSBRequest::Callback callback,
                 void* context);
    void Queue(LList& list, CUSBRequest* request);
    // Queues a pipe transfer on `list` and hands it to the device; fails it at once when the
    // device is gone or refuses it.
    void SubmitAsync(LList& list, CUSBRequest* request, uint32_t pipe, uint8_t* buffer, uint32_t length,
                     CUSBRequest::Callback callback, void* context);
    // Marks a request finished; from any thread.
    void Finish(CUSBRequest* request, uint32_t status, uint32_t count);
    void FailAtStart(CUSBRequest* request);
    void ProcessList(LList& list);

    mutable std::mutex fDeviceLock; // guards fDevice
    std::unique_ptr<plat::UsbDevice> fDevice;
    std::mutex fListLock;           // guards the three request lists
    LAsyncSignal fSignal;
};
