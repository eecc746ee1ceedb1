#include "platform/devices/TestDeviceBackend.h"

#include <algorithm>

namespace plat {

void TestDeviceBackend::Plug(const DeviceInfo& device)
{
    fPlugged.push_back(device);
    fRegistry.Update(fSource, fPlugged);
}

void TestDeviceBackend::Unplug(const std::string& key)
{
    std::erase_if(fPlugged, [&](const DeviceInfo& d) { return d.key == key; });
    fRegistry.Update(fSource, fPlugged);
}

DeviceInfo TestDeviceBackend::Usb(const std::string& key, int64_t vendor, int64_t product, int64_t deviceClass,
                                  int64_t subclass)
{
    DeviceInfo device;
    device.kind = DeviceKind::Usb;
    device.key = key;
    device.numbers = {{"idVendor", vendor}, {"idProduct", product}, {"bDeviceClass", deviceClass},
                      {"bDeviceSubClass", subclass}};
    return device;
}

} // namespace plat
