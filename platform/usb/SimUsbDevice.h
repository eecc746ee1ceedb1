#pragma once
#include "platform/usb/UsbDevice.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace plat {

// A USB device that exists only in this process, for tests: it is found by its path
// "sim:NAME" while plugged in, and lets a test script its pipes (data for IN transfers,
// stalls, failures), hold it as if another program had it open, publish its interface late,
// and watch what is written to it. One program may have it open at a time.
class SimUsbDevice {
public:
    using WriteHook = std::function<void(uint32_t pipe, const uint8_t* bytes, uint32_t length)>;
    using ControlHook = std::function<uint32_t(const UsbSetup& setup, uint8_t* data, uint32_t& count)>;

    SimUsbDevice(std::string name, std::vector<UsbPipe> pipes, uint16_t releaseNumber = 0x0100);
    ~SimUsbDevice();
    SimUsbDevice(const SimUsbDevice&) = delete;
    SimUsbDevice& operator=(const SimUsbDevice&) = delete;

    std::string Path() const { return "sim:" + fName; }
    // The registry's entry for this device, with the given numbers and its path.
    DeviceInfo RegistryEntry(int64_t vendor, int64_t product, int64_t deviceClass, int64_t subclass) const;

    // Plugging out fails every pending transfer and every later one; plugging in again lets
    // the device be opened anew.
    void Unplug();
    void Plug();
    // While set, opening answers kUsbExclusive.
    void SetHeldElsewhere(bool held);
    // The interface appears this many ms of the platform clock from now.
    void PublishInterfaceAfterMs(uint32_t ms);
    // The next transfer on the pipe completes at once with kUsbStalled / kUsbFailed.
    void StallNext(uint32_t pipe);
    void FailNext(uint32_t pipe);
    // Data for an IN pipe: completes the oldest pending transfer, or waits for the next one.
    void Deliver(uint32_t pipe, std::vector<uint8_t> bytes);
    // Called on the submitting thread for every transfer written to an OUT pipe.
    void SetWriteHook(WriteHook hook);
    // Answers control requests: returns the status and sets the byte count.
    void SetControlHook(ControlHook hook);

    bool IsOpen() const;
    size_t PendingTransfers(uint32_t pipe) const;
    uint32_t OpenCount() const;

    // UsbDevice::Open for "sim:" paths.
    static uint32_t OpenPath(const std::string& path, std::unique_ptr<UsbDevice>& out);

private:
    friend class SimUsbHandle;
    struct Transfer {
        uint8_t* buffer;
        uint32_t length;
        UsbCompletion done;
    };
    struct Completion {
        UsbCompletion done;
        uint32_t status;
        uint32_t count;
    };
    // Called by the open handle.
    bool Submit(uint32_t pipe, uint8_t* buffer, uint32_t length, UsbCompletion done);
    bool Control(const UsbSetup& setup, uint8_t* data, UsbCompletion done);
    void Abort(uint32_t pipe, std::vector<Completion>& out);
    void AbortAll(std::vector<Completion>& out);
    void Closed();

    const std::string fName;
    const std::vector<UsbPipe> fPipes;
    const uint16_t fRelease;
    mutable std::mutex fLock;
    bool fPlugged = true;
    bool fOpen = false;
    bool fHeldElsewhere = false;
    uint64_t fPublishAtMs = 0;
    uint32_t fOpenCount = 0;
    std::map<uint32_t, std::deque<Transfer>> fPending;
    std::map<uint32_t, std::deque<std::vector<uint8_t>>> fWaitingData;
    std::map<uint32_t, uint32_t> fNextResult;
    WriteHook fWriteHook;
    ControlHook fControlHook;
};

} // namespace plat
