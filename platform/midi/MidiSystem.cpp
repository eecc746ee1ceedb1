#include "platform/midi/MidiSystem.h"

#include "platform/midi/AlsaSequencer.h"

#include <algorithm>
#include <utility>

namespace plat {

namespace {

// Endpoints of the sequencer carry this bit; virtual ones never do.
constexpr MidiEndpoint kAlsaTag = 0x01000000;

} // namespace

MidiSystem& MidiSystem::Shared()
{
    static MidiSystem system;
    return system;
}

MidiSystem::MidiSystem() = default;
MidiSystem::~MidiSystem() = default;

AlsaSequencer* MidiSystem::Alsa()
{
    if (!fAlsaTried) {
        fAlsaTried = true;
        const std::string name = fClients.empty() ? std::string("Sonalyx") : fClients.front().second;
        fAlsa = AlsaSequencer::Open(name);
    }
    return fAlsa.get();
}

MidiClient MidiSystem::CreateClient(const std::string& name)
{
    std::lock_guard lock(fLock);
    const MidiClient id = fNextId++;
    fClients.emplace_back(id, name);
    return id;
}

void MidiSystem::DisposeClient(MidiClient client)
{
    std::lock_guard lock(fLock);
    for (const Port& port : std::vector<Port>(fPorts)) {
        if (port.client == client)
            DisposePort(port.id);
    }
    std::erase_if(fClients, [client](const auto& entry) { return entry.first == client; });
}

MidiPort MidiSystem::CreateOutputPort(MidiClient client, const std::string& name)
{
    std::lock_guard lock(fLock);
    if (std::none_of(fClients.begin(), fClients.end(), [client](const auto& e) { return e.first == client; }))
        return 0;
    AlsaSequencer* alsa = Alsa();
    const MidiPort id = fNextId++;
    fPorts.push_back(Port{id, client, alsa ? alsa->CreatePort(name) : -1});
    return id;
}

void MidiSystem::DisposePort(MidiPort port)
{
    std::lock_guard lock(fLock);
    if (const Port* found = FindPort(port); found && found->alsaPort >= 0 && fAlsa)
        fAlsa->DeletePort(found->alsaPort);
    std::erase_if(fPorts, [port](const Port& entry) { return entry.id == port; });
}

const MidiSystem::Port* MidiSystem::FindPort(MidiPort port) const
{
    for (const Port& entry : fPorts) {
        if (entry.id == port)
            return &entry;
    }
    return nullptr;
}

MidiSystem::Virtual* MidiSystem::FindVirtual(MidiEndpoint endpoint)
{
    for (Virtual& entry : fVirtuals) {
        if (entry.id == endpoint)
            return &entry;
    }
    return nullptr;
}

MidiEndpoint MidiSystem::Destination(size_t index)
{
    std::lock_guard lock(fLock);
    std::vector<MidiEndpoint> system;
    if (AlsaSequencer* alsa = Alsa())
        system = alsa->Destinations(kAlsaTag);
    if (index < system.size())
        return system[index];
    index -= system.size();
    return index < fVirtuals.size() ? fVirtuals[index].id : 0;
}

bool MidiSystem::Names(MidiEndpoint endpoint, MidiDestinationNames& out)
{
    std::lock_guard lock(fLock);
    if (endpoint & kAlsaTag)
        return fAlsa && fAlsa->Names(endpoint & ~kAlsaTag, out);
    if (const Virtual* entry = FindVirtual(endpoint)) {
        out = entry->names;
        return true;
    }
    return false;
}

void MidiSystem::Send(MidiPort port, MidiEndpoint destination, const uint8_t* bytes, size_t length)
{
    std::lock_guard lock(fLock);
    const Port* from = FindPort(port);
    if (!from || length == 0)
        return;
    if (destination & kAlsaTag) {
        if (fAlsa && from->alsaPort >= 0)
            fAlsa->Send(from->alsaPort, destination & ~kAlsaTag, bytes, length);
        return;
    }
    if (Virtual* entry = FindVirtual(destination))
        entry->received.emplace_back(bytes, bytes + length);
}

MidiEndpoint MidiSystem::AddVirtualDestination(const MidiDestinationNames& names)
{
    std::lock_guard lock(fLock);
    const MidiEndpoint id = fNextId++;
    fVirtuals.push_back(Virtual{id, names, {}});
    return id;
}

void MidiSystem::RemoveVirtualDestination(MidiEndpoint endpoint)
{
    std::lock_guard lock(fLock);
    std::erase_if(fVirtuals, [endpoint](const Virtual& entry) { return entry.id == endpoint; });
}

std::vector<std::vector<uint8_t>> MidiSystem::TakeReceived(MidiEndpoint endpoint)
{
    std::lock_guard lock(fLock);
    Virtual* entry = FindVirtual(endpoint);
    if (!entry)
        return {};
    return std::exchange(entry->received, {});
}

} // namespace plat
