#pragma once
#include "platform/devices/TestDeviceBackend.h"
#include "platform/usb/SimUsbDevice.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace plat {

// A stand-in for the USB DMX interface: a simulated device with an interrupt in pipe (1) and
// an interrupt out pipe (2), 64-byte packets. It decodes every frame written to it and keeps
// it, and it sends DMX input frames packed as the interface packs them.
class SimDmxInterface {
public:
    static constexpr uint32_t kInPipe = 1;
    static constexpr uint32_t kOutPipe = 2;
    static constexpr int64_t kVendor = 0x0AD5;
    static constexpr int64_t kProduct = 4;
    static constexpr int64_t kSubclass = 2;

    explicit SimDmxInterface(std::string name);

    SimUsbDevice& Device() { return fDevice; }
    // The registry entry the program finds the interface by.
    DeviceInfo RegistryEntry() const;
    // Plugs the interface into / out of a test backend and the USB layer together.
    void PlugInto(TestDeviceBackend& backend);
    void UnplugFrom(TestDeviceBackend& backend);

    // The frames received so far (start code first), oldest first; taking them empties the list.
    std::vector<std::vector<uint8_t>> TakeFrames();
    size_t FrameCount() const;
    // Writes that were not one well-formed frame.
    uint32_t BadWrites() const;

    // Sends one input frame (start code first) in as many packets as it needs.
    void SendInputFrame(const std::vector<uint8_t>& frame);
    // Sends one raw input packet.
    void SendInputPacket(const std::vector<uint8_t>& packet);

private:
    void Received(const uint8_t* bytes, uint32_t length);

    SimUsbDevice fDevice;
    mutable std::mutex fLock;
    std::vector<std::vector<uint8_t>> fFrames;
    uint32_t fBadWrites = 0;
};

} // namespace plat
