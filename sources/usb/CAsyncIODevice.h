#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "sources/usb/CUSBRequest.h"

#include <cstdint>
#include <string>

class LAsyncQueue;

// A device whose transfers complete asynchronously on the queue's thread, in the order they
// were queued within each of three lists: pipe reads, pipe writes and control requests.
class CAsyncIODevice : public LHandler {
public:
    CAsyncIODevice(LHandler* parent, LAsyncQueue* queue) : LHandler(parent), fQueue(queue) {}

    virtual bool IsOpen() const = 0;
    // 0 opened, 1 failure, 2 no such device, 3 another program holds it.
    [[nodiscard]] virtual uint32_t Open(const std::string& path) = 0;
    virtual void Close() = 0;
    virtual CUSBRequest* NewRequest() = 0;
    virtual void DeleteRequest(CUSBRequest* request) { delete request; }
    // The n-th pipe (from 0) of a transfer type (3 interrupt) and direction (1 in, 0 out).
    virtual bool FindPipe(uint32_t type, uint32_t direction, uint32_t n, uint32_t& pipe, uint32_t& endpoint) = 0;
    virtual void ReadAsync(CUSBRequest* request, uint32_t pipe, uint8_t* buffer, uint32_t length,
                           CUSBRequest::Callback callback, void* context) = 0;
    virtual void WriteAsync(CUSBRequest* request, uint32_t pipe, uint8_t* buffer, uint32_t length,
                            CUSBRequest::Callback callback, void* context) = 0;
    // setup: request type, request, value (LE), index (LE), length (LE).
    virtual void ControlAsync(CUSBRequest* request, const uint8_t setup[8], uint8_t* buffer, uint32_t length,
                              CUSBRequest::Callback callback, void* context) = 0;
    virtual void AbortPipe(uint32_t pipe) = 0;
    // 0 with the device's release number; 1 when closed or unreadable.
    virtual uint32_t GetReleaseNumber(uint16_t& out) = 0;

    LAsyncQueue* Queue() const { return fQueue; }

protected:
    LAsyncQueue* fQueue;
    LList fReads;
    LList fWrites;
    LList fControls;
};
