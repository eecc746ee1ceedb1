#pragma once
#include "foundation/core/LList.h"

#include <atomic>
#include <cstdint>

class CAsyncIODevice;

// One asynchronous transfer or control request of a device, queued in the device's list of
// its kind until its callback has been called.
class CUSBRequest : public SSLink {
public:
    using Callback = void (*)(void* context, CUSBRequest* request);
    enum : uint32_t { kDone = 0, kFailed = 1, kStalled = 2 };

    CUSBRequest() = default;
    ~CUSBRequest() override = default;

    bool IsDone() const { return done.load(std::memory_order_acquire); }
    // Nothing: kept for requests that need no completion work.
    void Nothing() {}

    CAsyncIODevice* device = nullptr;
    Callback callback = nullptr;
    void* context = nullptr;
    uint8_t* buffer = nullptr;
    // The bytes asked for; after completion the bytes moved.
    uint32_t length = 0;
    uint32_t status = kDone;
    std::atomic<bool> done{false};
    // Control requests: request type, request, value, index, length; then the data.
    uint8_t setup[8] = {};
    uint8_t* data = nullptr;
};
