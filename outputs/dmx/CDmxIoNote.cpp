#include "outputs/dmx/CDmxIoNote.h"

#include "foundation/core/StrEqual.h"

const char* CDmxIoNote::msgChange = "CDmxIoNote_Change";

CDmxIoNote::CDmxIoNote(LHandler* parent, plat::DeviceRegistry& registry)
    : LHandler(parent), fNotifier(this, CMacUSBNotifier::kAny, kSubclass, kVendor, CMacUSBNotifier::kAny, registry)
{
}

void CDmxIoNote::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fNotifier &&
        (StrEqual(msg.type, CMacUSBNotifier::msgAddDev) || StrEqual(msg.type, CMacUSBNotifier::msgRmvDev))) {
        LMessage::Send(LMessage(msgChange, this, Parent()));
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}
