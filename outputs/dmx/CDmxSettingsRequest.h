#pragma once
#include "foundation/core/LList.h"

#include <cstdint>

// A request for the interface's three settings values, to read or to write.
class CDmxSettingsRequest : public SSLink {
public:
    // status: 0 done, 1 failed, 2 not supported or refused by the device.
    using Callback = void (*)(void* context, CDmxSettingsRequest* request, uint32_t status);
    void* context = nullptr;
    Callback callback = nullptr;
    uint32_t values[3] = {};

    void Finish(uint32_t status)
    {
        if (callback)
            callback(context, this, status);
    }
};
