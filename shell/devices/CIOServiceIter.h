#pragma once
#include "platform/devices/SysfsDeviceScanner.h"
#include "shell/devices/CIOObjectRef.h"

// The devices that match, as present when it is made. A null match gives an empty iterator.
class CIOServiceIter {
public:
    explicit CIOServiceIter(const plat::DeviceMatch* match, plat::DeviceRegistry& registry = plat::SystemDevices());

    // The next device, 0 when none is left.
    plat::DeviceId Next();

private:
    CIOObjectRef fIterator;
};
