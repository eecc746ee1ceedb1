#pragma once
#include "platform/devices/DeviceRegistry.h"

#include <string>
#include <vector>

namespace plat {

// A backend that tests plug devices into and out of by hand.
class TestDeviceBackend {
public:
    explicit TestDeviceBackend(DeviceRegistry& registry) : fRegistry(registry), fSource(registry.NewSource()) {}
    ~TestDeviceBackend() { fRegistry.Update(fSource, {}); }
    TestDeviceBackend(const TestDeviceBackend&) = delete;
    TestDeviceBackend& operator=(const TestDeviceBackend&) = delete;

    void Plug(const DeviceInfo& device);
    void Unplug(const std::string& key);
    // A USB device with the given numbers, keyed by the key given.
    static DeviceInfo Usb(const std::string& key, int64_t vendor, int64_t product, int64_t deviceClass = 0,
                          int64_t subclass = 0);

private:
    DeviceRegistry& fRegistry;
    const uint32_t fSource;
    std::vector<DeviceInfo> fPlugged;
};

} // namespace plat
