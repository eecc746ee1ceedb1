#pragma once
#include "foundation/core/LHandler.h"
#include "shell/devices/CMacUSBNotifier.h"

// Watches the DMX interface arrive and leave: each notice of its USB notifier becomes
// {"CDmxIoNote_Change", this, parent}.
class CDmxIoNote : public LHandler {
public:
    static const char* msgChange;
    static constexpr uint32_t kVendor = 0x0AD5;
    static constexpr uint32_t kProduct = 4;
    static constexpr uint32_t kSubclass = 2;

    CDmxIoNote(LHandler* parent, plat::DeviceRegistry& registry);
    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    CMacUSBNotifier fNotifier;
};
