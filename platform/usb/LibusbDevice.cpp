#include "platform/usb/UsbDevice.h"

#include <libusb.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace plat {

class LibusbDevice;

namespace {

uint32_t TransferStatus(const libusb_transfer* transfer)
{
    switch (transfer->status) {
    case LIBUSB_TRANSFER_COMPLETED: return kUsbDone;
    case LIBUSB_TRANSFER_STALL: return kUsbStalled;
    default: return kUsbFailed;
    }
}

// A transfer in flight with what it needs when it ends.
struct InFlight {
    LibusbDevice* owner;
    uint32_t pipe;
    UsbCompletion done;
    uint8_t* controlData; // control requests: where the answer goes
    std::vector<uint8_t> controlBuffer;
};

} // namespace

// One device opened through libusb, with a thread of its own that handles its events.
class LibusbDevice final : public UsbDevice {
public:
    LibusbDevice(libusb_context* context, libusb_device_handle* handle) : fContext(context), fHandle(handle)
    {
        fEvents = std::thread([this] { HandleEvents(); });
    }

    ~LibusbDevice() override
    {
        CancelAll();
        {
            // Cancelled transfers end through the event thread; wait for every one of them.
            std::unique_lock lock(fLock);
            fIdle.wait_for(lock, std::chrono::seconds(5), [this] { return fInFlight.empty(); });
        }
        if (fClaimed)
            libusb_release_interface(fHandle, 0);
        fStop.store(true);
        libusb_close(fHandle); // wakes the event thread
        libusb_interrupt_event_handler(fContext);
        fEvents.join();
        libusb_exit(fContext);
    }

    bool SetFirstConfiguration() override
    {
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_config_descriptor(libusb_get_device(fHandle), 0, &config) != 0)
            return false;
        const int wanted = config->bConfigurationValue;
        fInterfaceCount = config->bNumInterfaces;
        libusb_free_config_descriptor(config);
        int current = -1;
        if (libusb_get_configuration(fHandle, &current) == 0 && current == wanted)
            return true;
        return libusb_set_configuration(fHandle, wanted) == 0;
    }

    bool HasInterface() override { return fInterfaceCount > 0; }

    uint32_t ClaimInterface() override
    {
        libusb_set_auto_detach_kernel_driver(fHandle, 1);
        const int result = libusb_claim_interface(fHandle, 0);
        if (result == LIBUSB_ERROR_BUSY)
            return kUsbExclusive;
        if (result != 0)
            return kUsbOpenFailed;
        fClaimed = true;
        ReadPipes();
        return kUsbOpened;
    }

    bool Pipe(uint32_t index, UsbPipe& out) override
    {
        if (index == 0 || index > fPipes.size())
            return false;
        out = fPipes[index - 1];
        return true;
    }

    bool Submit(uint32_t pipe, uint8_t* buffer, uint32_t length, UsbCompletion done) override
    {
        UsbPipe info;
        if (!Pipe(pipe, info))
            return false;
        libusb_transfer* transfer = libusb_alloc_transfer(0);
        if (!transfer)
            return false;
        const unsigned char address = info.endpoint | (info.direction == UsbDirection::In ? 0x80 : 0x00);
        auto* entry = new InFlight{this, pipe, std::move(done), nullptr, {}};
        if (info.type == UsbTransferType::Interrupt)
            libusb_fill_interrupt_transfer(transfer, fHandle, address, buffer, int(length), &Finished, entry, 0);
        else
            libusb_fill_bulk_transfer(transfer, fHandle, address, buffer, int(length), &Finished, entry, 0);
        return Start(transfer, entry);
    }

    bool Control(const UsbSetup& setup, uint8_t* data, UsbCompletion done) override
    {
        libusb_transfer* transfer = libusb_alloc_transfer(0);
        if (!transfer)
            return false;
        auto* entry = new InFlight{this, 0, std::move(done), data, {}};
        entry->controlBuffer.resize(LIBUSB_CONTROL_SETUP_SIZE + setup.length);
        uint8_t* bytes = entry->controlBuffer.data();
        libusb_fill_control_setup(bytes, setup.requestType, setup.request, setup.value, setup.index, setup.length);
        if (!(setup.requestType & 0x80) && setup.length && data)
            std::memcpy(bytes + LIBUSB_CONTROL_SETUP_SIZE, data, setup.length);
        libusb_fill_control_transfer(transfer, fHandle, bytes, &Finished, entry, 1000);
        return Start(transfer, entry);
    }

    void Abort(uint32_t pipe) override
    {
        std::lock_guard lock(fLock);
        for (auto& [transfer, entry] : fInFlight) {
            if (entry->pipe == pipe)
                libusb_cancel_transfer(transfer);
        }
    }

    bool ReleaseNumber(uint16_t& out) override
    {
        libusb_device_descriptor descriptor;
        if (libusb_get_device_descriptor(libusb_get_device(fHandle), &descriptor) != 0)
            return false;
        out = descriptor.bcdDevice;
        return true;
    }

private:
    void ReadPipes()
    {
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_active_config_descriptor(libusb_get_device(fHandle), &config) != 0)
            return;
        if (config->bNumInterfaces > 0 && config->interface[0].num_altsetting > 0) {
            const libusb_interface_descriptor& alt = config->interface[0].altsetting[0];
            for (int i = 0; i < alt.bNumEndpoints; ++i) {
                const libusb_endpoint_descriptor& ep = alt.endpoint[i];
                UsbPipe pipe;
                pipe.type = static_cast<UsbTransferType>(ep.bmAttributes & 3);
                pipe.direction = (ep.bEndpointAddress & 0x80) ? UsbDirection::In : UsbDirection::Out;
                pipe.endpoint = ep.bEndpointAddress & 0x0F;
                pipe.maxPacketSize = ep.wMaxPacketSize;
                fPipes.push_back(pipe);
            }
        }
        libusb_free_config_descriptor(config);
    }

    bool Start(libusb_transfer* transfer, InFlight* entry)
    {
        std::lock_guard lock(fLock);
        if (libusb_submit_transfer(transfer) != 0) {
            delete entry;
            libusb_free_transfer(transfer);
            return false;
        }
        fInFlight[transfer] = entry;
        return true;
    }

    void CancelAll()
    {
        std::lock_guard lock(fLock);
        for (auto& [transfer, entry] : fInFlight)
            libusb_cancel_transfer(transfer);
    }

    static void LIBUSB_CALL Finished(libusb_transfer* transfer)
    {
        auto* entry = static_cast<InFlight*>(transfer->user_data);
        LibusbDevice* self = entry->owner;
        uint32_t count = transfer->actual_length > 0 ? uint32_t(transfer->actual_length) : 0;
        const uint32_t status = TransferStatus(transfer);
        if (entry->controlData && count && status == kUsbDone)
            std::memcpy(entry->controlData, libusb_control_transfer_get_data(transfer), count);
        if (status != kUsbDone)
            count = 0;
        entry->done(status, count);
        {
            std::lock_guard lock(self->fLock);
            self->fInFlight.erase(transfer);
        }
        self->fIdle.notify_all();
        delete entry;
        libusb_free_transfer(transfer);
    }

    void HandleEvents()
    {
        while (!fStop.load()) {
            timeval timeout{0, 100000};
            libusb_handle_events_timeout_completed(fContext, &timeout, nullptr);
        }
    }

    libusb_context* fContext;
    libusb_device_handle* fHandle;
    std::vector<UsbPipe> fPipes;
    uint8_t fInterfaceCount = 0;
    bool fClaimed = false;
    std::mutex fLock;
    std::condition_variable fIdle;
    std::map<libusb_transfer*, InFlight*> fInFlight;
    std::atomic<bool> fStop{false};
    std::thread fEvents;
};

uint32_t OpenLibusbDevice(const std::string& path, std::unique_ptr<UsbDevice>& out)
{
    unsigned bus = 0;
    unsigned address = 0;
    if (std::sscanf(path.c_str(), "usb:%u-%u", &bus, &address) != 2)
        return kUsbNoDevice;
    libusb_context* context = nullptr;
    if (libusb_init(&context) != 0)
        return kUsbNoDevice; // no USB on this system: no device can be there
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    libusb_device* found = nullptr;
    for (ssize_t i = 0; i < count; ++i) {
        if (libusb_get_bus_number(list[i]) == bus && libusb_get_device_address(list[i]) == address)
            found = list[i];
    }
    libusb_device_handle* handle = nullptr;
    const int result = found ? libusb_open(found, &handle) : LIBUSB_ERROR_NO_DEVICE;
    if (count >= 0)
        libusb_free_device_list(list, 1);
    if (result != 0) {
        libusb_exit(context);
        if (result == LIBUSB_ERROR_NO_DEVICE)
            return kUsbNoDevice;
        return result == LIBUSB_ERROR_BUSY ? kUsbExclusive : kUsbOpenFailed;
    }
    out = std::make_unique<LibusbDevice>(context, handle);
    return kUsbOpened;
}

} // namespace plat
