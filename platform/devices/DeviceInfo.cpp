#include "platform/devices/DeviceInfo.h"

namespace plat {

bool DeviceMatch::Matches(const DeviceInfo& device) const
{
    if (device.kind != fKind)
        return false;
    for (const auto& [name, value] : fNumbers) {
        const auto it = device.numbers.find(name);
        if (it == device.numbers.end() || it->second != value)
            return false;
    }
    return true;
}

} // namespace plat
