#include "outputs/midi/CMIDIOutPort.h"

#include "foundation/records/CParamSet.h"
#include "outputs/midi/CMIDIClient.h"

#include <string>

CMIDIOutPort::CMIDIOutPort(CMIDIClient* client, const char* portName)
{
    if (client && client->Client()) {
        fSystem = &client->System();
        fPort = fSystem->CreateOutputPort(client->Client(), portName ? portName : "");
    }
}

CMIDIOutPort::~CMIDIOutPort()
{
    if (fPort)
        fSystem->DisposePort(fPort);
}

int32_t CMIDIOutPort::SelectDest(const char* name)
{
    Deselect();
    if (!fPort)
        return kNoPort;
    const std::string_view wanted = name ? name : "";
    for (size_t i = 0;; ++i) {
        const plat::MidiEndpoint endpoint = fSystem->Destination(i);
        if (endpoint == 0)
            return kNotFound;
        if (MIDIDestDisplayName(endpoint, *fSystem).View() == wanted) {
            fDestination.store(endpoint);
            return kConnected;
        }
    }
}

void CMIDIOutPort::SendShort(uint8_t status, uint8_t data1, uint8_t data2)
{
    const uint8_t bytes[3] = {status, data1, data2};
    const uint32_t length = data1 >= 0x80 ? 1 : data2 >= 0x80 ? 2 : 3;
    SendBytes(bytes, length);
}

void CMIDIOutPort::SendBytes(const uint8_t* bytes, uint32_t length)
{
    const plat::MidiEndpoint destination = fDestination.load();
    if (!fPort || destination == 0 || !bytes)
        return;
    fSystem->Send(fPort, destination, bytes, length % 256);
}

CMIDIOutPort* NewMIDIOutPort(LHandler* /*owner*/, const char* portName)
{
    return new CMIDIOutPort(CMIDIClient::Global(), portName);
}

LStringRef MIDIDestDisplayName(plat::MidiEndpoint endpoint, plat::MidiSystem& system)
{
    plat::MidiDestinationNames names;
    if (endpoint == 0 || !system.Names(endpoint, names))
        return LStringRef();
    if (!names.hasDevice)
        return LStringRef(std::string_view(names.endpoint));
    std::string text;
    if (!names.device.empty())
        text += names.device + ' ';
    if (!names.entity.empty())
        text += names.entity + ' ';
    text += names.endpoint;
    return LStringRef(std::string_view(text));
}

void SetComboIdParam(LObject* set, const LStringRef& value)
{
    CParamSet::SetValue(set, nullptr, "comboid", value);
}

bool FindComboIdParam(const LObject* set, LStringRef& value)
{
    return CParamSet::Find(set, "comboid", &value) >= 0;
}
