#pragma once
#include "foundation/core/LHandler.h"
#include "platform/devices/SysfsDeviceScanner.h"
#include "shell/devices/CIOKitNotification.h"

#include <cstdint>

// Tells its parent when USB devices of a class, subclass, vendor and product arrive
// ({"CMacUSBNotifier_AddDev", this, parent}) and leave ("CMacUSBNotifier_RmvDev"). A number
// of 0xFFFF matches any value. The devices themselves are not passed on: a receiver lists
// them with CIOServiceIter. Right after it is made it reports the devices already present.
class CMacUSBNotifier : public LHandler {
public:
    static const char* msgAddDev;
    static const char* msgRmvDev;
    static constexpr uint32_t kAny = 0xFFFF;

    CMacUSBNotifier(LHandler* parent, uint32_t deviceClass, uint32_t deviceSubclass, uint32_t vendor,
                    uint32_t product, plat::DeviceRegistry& registry = plat::SystemDevices());

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // The USB devices whose numbers match, with kAny for any value.
    static plat::DeviceMatch UsbMatch(uint32_t deviceClass, uint32_t deviceSubclass, uint32_t vendor,
                                      uint32_t product);

private:
    plat::DeviceMatch fMatch;
    CIOKitNotification fFirstMatch;
    CIOKitNotification fTerminate;
};
