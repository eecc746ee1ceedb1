#include "platform/usb/UsbDevice.h"

#include "platform/usb/SimUsbDevice.h"

namespace plat {

uint32_t UsbDevice::Open(const std::string& path, std::unique_ptr<UsbDevice>& out)
{
    out.reset();
    if (path.rfind("sim:", 0) == 0)
        return SimUsbDevice::OpenPath(path, out);
    if (path.rfind("usb:", 0) == 0)
        return OpenLibusbDevice(path, out);
    return kUsbNoDevice;
}

std::string UsbDevicePath(const DeviceInfo& device)
{
    if (auto text = device.texts.find("usbpath"); text != device.texts.end())
        return text->second;
    const auto bus = device.numbers.find("busnum");
    const auto address = device.numbers.find("devnum");
    if (bus == device.numbers.end() || address == device.numbers.end())
        return {};
    return "usb:" + std::to_string(bus->second) + "-" + std::to_string(address->second);
}

} // namespace plat
