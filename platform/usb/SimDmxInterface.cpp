#include "platform/usb/SimDmxInterface.h"

#include <algorithm>
#include <utility>

namespace plat {

namespace {

constexpr uint32_t kPacket = 64;
constexpr uint32_t kGroup = 8;

std::vector<UsbPipe> DmxPipes()
{
    return {UsbPipe{UsbTransferType::Interrupt, UsbDirection::In, 1, kPacket},
            UsbPipe{UsbTransferType::Interrupt, UsbDirection::Out, 2, kPacket}};
}

} // namespace

SimDmxInterface::SimDmxInterface(std::string name) : fDevice(std::move(name), DmxPipes())
{
    fDevice.SetWriteHook([this](uint32_t pipe, const uint8_t* bytes, uint32_t length) {
        if (pipe == kOutPipe)
            Received(bytes, length);
    });
}

DeviceInfo SimDmxInterface::RegistryEntry() const
{
    return fDevice.RegistryEntry(kVendor, kProduct, 0, kSubclass);
}

void SimDmxInterface::PlugInto(TestDeviceBackend& backend)
{
    fDevice.Plug();
    backend.Plug(RegistryEntry());
}

void SimDmxInterface::UnplugFrom(TestDeviceBackend& backend)
{
    backend.Unplug(fDevice.Path());
    fDevice.Unplug();
}

// A write holds exactly one frame: packets of a 0 header and groups of a flag and up to 8
// bytes, the first flag 1 and the others 0.
void SimDmxInterface::Received(const uint8_t* bytes, uint32_t length)
{
    std::vector<uint8_t> frame;
    bool good = length >= 3;
    for (uint32_t packet = 0; good && packet < length; packet += kPacket) {
        const uint32_t end = std::min(length, packet + kPacket);
        good = bytes[packet] == 0;
        for (uint32_t group = packet + 1; good && group < end; group += kGroup + 1) {
            good = bytes[group] == ((packet == 0 && group == 1) ? 1 : 0);
            for (uint32_t i = group + 1; i < std::min(end, group + 1 + kGroup); ++i)
                frame.push_back(bytes[i]);
        }
    }
    std::lock_guard lock(fLock);
    if (good && !frame.empty() && frame.size() <= 513)
        fFrames.push_back(std::move(frame));
    else
        ++fBadWrites;
}

std::vector<std::vector<uint8_t>> SimDmxInterface::TakeFrames()
{
    std::lock_guard lock(fLock);
    return std::exchange(fFrames, {});
}

size_t SimDmxInterface::FrameCount() const
{
    std::lock_guard lock(fLock);
    return fFrames.size();
}

uint32_t SimDmxInterface::BadWrites() const
{
    std::lock_guard lock(fLock);
    return fBadWrites;
}

void SimDmxInterface::SendInputFrame(const std::vector<uint8_t>& frame)
{
    std::vector<uint8_t> packet;
    for (size_t i = 0; i < frame.size(); ++i) {
        if (i % (7 * kGroup) == 0) {
            if (!packet.empty())
                SendInputPacket(packet);
            packet.assign(1, 0x00);
        }
        if (i % kGroup == 0)
            packet.push_back(i == 0 ? 0x01 : 0x00);
        packet.push_back(frame[i]);
    }
    if (!packet.empty())
        SendInputPacket(packet);
}

void SimDmxInterface::SendInputPacket(const std::vector<uint8_t>& packet)
{
    fDevice.Deliver(kInPipe, packet);
}

} // namespace plat
