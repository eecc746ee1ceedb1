#include "platform/usb/SimUsbDevice.h"

#include "platform/Clock.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

std::mutex gRegistryLock;
std::map<std::string, SimUsbDevice*>& Registry()
{
    static std::map<std::string, SimUsbDevice*> devices;
    return devices;
}


} // namespace

// The open side of a simulated device; all work goes to the device under its lock.
class SimUsbHandle final : public UsbDevice {
public:
    explicit SimUsbHandle(SimUsbDevice& device) : fDevice(device) {}
    ~SimUsbHandle() override
    {
        std::vector<SimUsbDevice::Completion> aborted;
        fDevice.AbortAll(aborted);
        for (auto& entry : aborted)
            entry.done(entry.status, entry.count);
        fDevice.Closed();
    }
    bool SetFirstConfiguration() override { return true; }
    bool HasInterface() override
    {
        std::lock_guard lock(fDevice.fLock);
        return NowMs() >= fDevice.fPublishAtMs;
    }
    uint32_t ClaimInterface() override
    {
        std::lock_guard lock(fDevice.fLock);
        if (fDevice.fHeldElsewhere)
            return kUsbExclusive;
        return fDevice.fPlugged ? kUsbOpened : kUsbOpenFailed;
    }
    bool Pipe(uint32_t index, UsbPipe& out) override
    {
        if (index == 0 || index > fDevice.fPipes.size())
            return false;
        out = fDevice.fPipes[index - 1];
        return true;
    }
    bool Submit(uint32_t pipe, uint8_t* buffer, uint32_t length, UsbCompletion done) override
    {
        return fDevice.Submit(pipe, buffer, length, std::move(done));
    }
    bool Control(const UsbSetup& setup, uint8_t* data, UsbCompletion done) override
    {
        return fDevice.Control(setup, data, std::move(done));
    }
    void Abort(uint32_t pipe) override
    {
        std::vector<SimUsbDevice::Completion> aborted;
        fDevice.Abort(pipe, aborted);
        for (auto& entry : aborted)
            entry.done(entry.status, entry.count);
    }
    bool ReleaseNumber(uint16_t& out) override
    {
        out = fDevice.fRelease;
        return true;
    }

private:
    SimUsbDevice& fDevice;
};

SimUsbDevice::SimUsbDevice(std::string name, std::vector<UsbPipe> pipes, uint16_t releaseNumber)
    : fName(std::move(name)), fPipes(std::move(pipes)), fRelease(releaseNumber)
{
    std::lock_guard lock(gRegistryLock);
    Registry()[fName] = this;
}

SimUsbDevice::~SimUsbDevice()
{
    std::lock_guard lock(gRegistryLock);
    Registry().erase(fName);
}

DeviceInfo SimUsbDevice::RegistryEntry(int64_t vendor, int64_t product, int64_t deviceClass, int64_t subclass) const
{
    DeviceInfo info;
    info.kind = DeviceKind::Usb;
    info.key = Path();
    info.numbers = {{"idVendor", vendor}, {"idProduct", product}, {"bDeviceClass", deviceClass},
                    {"bDeviceSubClass", subclass}};
    info.texts = {{"usbpath", Path()}};
    return info;
}

uint32_t SimUsbDevice::OpenPath(const std::string& path, std::unique_ptr<UsbDevice>& out)
{
    std::lock_guard registryLock(gRegistryLock);
    const auto found = Registry().find(path.substr(4));
    if (found == Registry().end())
        return kUsbNoDevice;
    SimUsbDevice& device = *found->second;
    std::lock_guard lock(device.fLock);
    if (!device.fPlugged)
        return kUsbNoDevice;
    if (device.fHeldElsewhere || device.fOpen)
        return kUsbExclusive;
    device.fOpen = true;
    ++device.fOpenCount;
    out = std::make_unique<SimUsbHandle>(device);
    return kUsbOpened;
}

void SimUsbDevice::Unplug()
{
    std::vector<Completion> aborted;
    {
        std::lock_guard lock(fLock);
        fPlugged = false;
    }
    AbortAll(aborted);
    for (auto& entry : aborted)
        entry.done(entry.status, entry.count);
}

void SimUsbDevice::Plug()
{
    std::lock_guard lock(fLock);
    fPlugged = true;
}

void SimUsbDevice::SetHeldElsewhere(bool held)
{
    std::lock_guard lock(fLock);
    fHeldElsewhere = held;
}

void SimUsbDevice::PublishInterfaceAfterMs(uint32_t ms)
{
    std::lock_guard lock(fLock);
    fPublishAtMs = NowMs() + ms;
}

void SimUsbDevice::StallNext(uint32_t pipe)
{
    std::lock_guard lock(fLock);
    fNextResult[pipe] = kUsbStalled;
}

void SimUsbDevice::FailNext(uint32_t pipe)
{
    std::lock_guard lock(fLock);
    fNextResult[pipe] = kUsbFailed;
}

void SimUsbDevice::SetWriteHook(WriteHook hook)
{
    std::lock_guard lock(fLock);
    fWriteHook = std::move(hook);
}

void SimUsbDevice::SetControlHook(ControlHook hook)
{
    std::lock_guard lock(fLock);
    fControlHook = std::move(hook);
}

bool SimUsbDevice::IsOpen() const
{
    std::lock_guard lock(fLock);
    return fOpen;
}

uint32_t SimUsbDevice::OpenCount() const
{
    std::lock_guard lock(fLock);
    return fOpenCount;
}

size_t SimUsbDevice::PendingTransfers(uint32_t pipe) const
{
    std::lock_guard lock(fLock);
    const auto found = fPending.find(pipe);
    return found == fPending.end() ? 0 : found->second.size();
}

void SimUsbDevice::Deliver(uint32_t pipe, std::vector<uint8_t> bytes)
{
    UsbCompletion done;
    uint32_t count = 0;
    {
        std::lock_guard lock(fLock);
        auto& pending = fPending[pipe];
        if (pending.empty() || !fPlugged) {
            fWaitingData[pipe].push_back(std::move(bytes));
            return;
        }
        Transfer transfer = std::move(pending.front());
        pending.pop_front();
        count = std::min<uint32_t>(transfer.length, static_cast<uint32_t>(bytes.size()));
        if (count)
            std::memcpy(transfer.buffer, bytes.data(), count);
        done = std::move(transfer.done);
    }
    done(kUsbDone, count);
}

bool SimUsbDevice::Submit(uint32_t pipe, uint8_t* buffer, uint32_t length, UsbCompletion done)
{
    uint32_t status = kUsbDone;
    uint32_t count = 0;
    WriteHook hook;
    {
        std::lock_guard lock(fLock);
        if (!fPlugged || !fOpen || pipe == 0 || pipe > fPipes.size())
            return false;
        if (auto result = fNextResult.find(pipe); result != fNextResult.end()) {
            status = result->second;
            fNextResult.erase(result);
        } else if (fPipes[pipe - 1].direction == UsbDirection::Out) {
            count = length;
            hook = fWriteHook;
        } else if (auto& waiting = fWaitingData[pipe]; !waiting.empty()) {
            count = std::min<uint32_t>(length, static_cast<uint32_t>(waiting.front().size()));
            if (count)
                std::memcpy(buffer, waiting.front().data(), count);
            waiting.pop_front();
        } else {
            fPending[pipe].push_back(Transfer{buffer, length, std::move(done)});
            return true;
        }
    }
    if (hook)
        hook(pipe, buffer, length);
    done(status, count);
    return true;
}

bool SimUsbDevice::Control(const UsbSetup& setup, uint8_t* data, UsbCompletion done)
{
    ControlHook hook;
    {
        std::lock_guard lock(fLock);
        if (!fPlugged || !fOpen)
            return false;
        hook = fControlHook;
    }
    uint32_t count = 0;
    const uint32_t status = hook ? hook(setup, data, count) : kUsbStalled;
    done(status, status == kUsbDone ? std::min<uint32_t>(count, setup.length) : 0);
    return true;
}

void SimUsbDevice::Abort(uint32_t pipe, std::vector<Completion>& out)
{
    std::lock_guard lock(fLock);
    for (Transfer& transfer : fPending[pipe])
        out.push_back(Completion{std::move(transfer.done), kUsbFailed, 0});
    fPending[pipe].clear();
}

void SimUsbDevice::AbortAll(std::vector<Completion>& out)
{
    std::lock_guard lock(fLock);
    for (auto& [pipe, transfers] : fPending) {
        for (Transfer& transfer : transfers)
            out.push_back(Completion{std::move(transfer.done), kUsbFailed, 0});
        transfers.clear();
    }
}

void SimUsbDevice::Closed()
{
    std::lock_guard lock(fLock);
    fOpen = false;
}

} // namespace plat
