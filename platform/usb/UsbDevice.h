#pragma once
#include "platform/devices/DeviceInfo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace plat {

enum class UsbTransferType : uint8_t { Control = 0, Isochronous = 1, Bulk = 2, Interrupt = 3 };
enum class UsbDirection : uint8_t { Out = 0, In = 1 };

// One endpoint of the open interface.
struct UsbPipe {
    UsbTransferType type = UsbTransferType::Bulk;
    UsbDirection direction = UsbDirection::Out;
    uint8_t endpoint = 0; // the endpoint number, without the direction bit
    uint16_t maxPacketSize = 0;
};

// The 8-byte setup of a control request.
struct UsbSetup {
    uint8_t requestType = 0;
    uint8_t request = 0;
    uint16_t value = 0;
    uint16_t index = 0;
    uint16_t length = 0;
};

// Transfer results.
enum : uint32_t { kUsbDone = 0, kUsbFailed = 1, kUsbStalled = 2 };
// Open results.
enum : uint32_t { kUsbOpened = 0, kUsbOpenFailed = 1, kUsbNoDevice = 2, kUsbExclusive = 3 };

// Called once per transfer, on any thread, with the result and the bytes moved.
using UsbCompletion = std::function<void(uint32_t status, uint32_t count)>;

// An open USB device and, once claimed, its first interface. Paths name devices as
// "usb:BUS-ADDRESS" (the system's, through libusb) or "sim:NAME" (a SimUsbDevice).
class UsbDevice {
public:
    // kUsbOpened, kUsbNoDevice when the path names no device, kUsbExclusive when another
    // program holds the device, kUsbOpenFailed otherwise.
    static uint32_t Open(const std::string& path, std::unique_ptr<UsbDevice>& out);

    // Releases the interface and closes the device. Every transfer still pending has
    // completed (with kUsbFailed) before this returns.
    virtual ~UsbDevice() = default;

    // Sets the device's first configuration.
    virtual bool SetFirstConfiguration() = 0;
    // Whether the first interface is there yet.
    virtual bool HasInterface() = 0;
    // Claims the first interface: kUsbOpened, kUsbExclusive or kUsbOpenFailed.
    virtual uint32_t ClaimInterface() = 0;
    // Pipe `index` (from 1) of the claimed interface; false past the last.
    virtual bool Pipe(uint32_t index, UsbPipe& out) = 0;
    // Starts a transfer on a pipe; false when it cannot start (no completion then).
    virtual bool Submit(uint32_t pipe, uint8_t* buffer, uint32_t length, UsbCompletion done) = 0;
    // Starts a control request on the default pipe; `data` holds setup.length bytes.
    virtual bool Control(const UsbSetup& setup, uint8_t* data, UsbCompletion done) = 0;
    // Ends the pipe's pending transfers (they complete with kUsbFailed).
    virtual void Abort(uint32_t pipe) = 0;
    virtual bool ReleaseNumber(uint16_t& out) = 0;
};

// The path by which UsbDevice::Open finds a registry device: its "usbpath" text when it has
// one, else "usb:BUS-ADDRESS" from its bus and device numbers; empty when it has neither.
std::string UsbDevicePath(const DeviceInfo& device);

// The libusb backend of UsbDevice::Open for "usb:" paths.
uint32_t OpenLibusbDevice(const std::string& path, std::unique_ptr<UsbDevice>& out);

} // namespace plat
