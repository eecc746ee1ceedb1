#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace plat {

enum class DeviceKind { Usb, Serial };

// One device as a backend sees it. Numbers and texts are named as the kernel names the
// device's attributes: USB devices carry "idVendor", "idProduct", "bDeviceClass",
// "bDeviceSubClass", "busnum", "devnum" and the texts "manufacturer", "product", "serial";
// serial ports carry the texts "name" (ttyUSB0) and "path" (/dev/ttyUSB0).
struct DeviceInfo {
    DeviceKind kind = DeviceKind::Usb;
    std::string key; // names the device within its backend; a replugged device gets a new key
    std::map<std::string, int64_t> numbers;
    std::map<std::string, std::string> texts;

    bool operator==(const DeviceInfo&) const = default;
};

// Which devices a client wants: a kind and numbers that must all be equal.
class DeviceMatch {
public:
    explicit DeviceMatch(DeviceKind kind) : fKind(kind) {}
    DeviceMatch& Require(const std::string& number, int64_t value)
    {
        fNumbers[number] = value;
        return *this;
    }
    bool Matches(const DeviceInfo& device) const;

private:
    DeviceKind fKind;
    std::map<std::string, int64_t> fNumbers;
};

} // namespace plat
