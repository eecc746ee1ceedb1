#include "shell/devices/CMacUSBNotifier.h"
#include "foundation/core/StrEqual.h"

const char* CMacUSBNotifier::msgAddDev = "CMacUSBNotifier_AddDev";
const char* CMacUSBNotifier::msgRmvDev = "CMacUSBNotifier_RmvDev";

CMacUSBNotifier::CMacUSBNotifier(LHandler* parent, uint32_t deviceClass, uint32_t deviceSubclass, uint32_t vendor,
                                 uint32_t product, plat::DeviceRegistry& registry)
    : LHandler(parent), fMatch(UsbMatch(deviceClass, deviceSubclass, vendor, product)),
      fFirstMatch(this, &fMatch, plat::DeviceNotice::FirstMatch, registry),
      fTerminate(this, &fMatch, plat::DeviceNotice::Terminate, registry)
{
}

plat::DeviceMatch CMacUSBNotifier::UsbMatch(uint32_t deviceClass, uint32_t deviceSubclass, uint32_t vendor,
                                            uint32_t product)
{
    plat::DeviceMatch match(plat::DeviceKind::Usb);
    const std::pair<const char*, uint32_t> numbers[] = {
        {"bDeviceClass", deviceClass}, {"bDeviceSubClass", deviceSubclass}, {"idVendor", vendor}, {"idProduct", product}};
    for (const auto& [name, value] : numbers)
        if (value != kAny)
            match.Require(name, int32_t(value));
    return match;
}

void CMacUSBNotifier::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, CIOKitNotification::msgNote)) {
        if (msg.subject == &fFirstMatch || msg.subject == &fTerminate) {
            auto* note = static_cast<CIOKitNotification*>(msg.subject);
            DrainIterator(note->Iterator());
            LMessage::Make(result, note == &fFirstMatch ? msgAddDev : msgRmvDev, this, Parent());
            return;
        }
    }
    LHandler::HandleMessage(result, msg);
}
