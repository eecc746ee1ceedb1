#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace plat {

// Names a MIDI destination; 0 names none.
using MidiEndpoint = uint32_t;
// Names a client or an output port of this process; 0 names none.
using MidiClient = uint32_t;
using MidiPort = uint32_t;

// How a destination is named: the device and entity it belongs to (either may be unnamed)
// and its own name. A destination of no device is named by its own name alone.
struct MidiDestinationNames {
    bool hasDevice = false;
    std::string device;
    std::string entity;
    std::string endpoint;
};

class AlsaSequencer;

// The MIDI services of the process: clients, output ports and the destinations they send to.
// Destinations are the system's (the ALSA sequencer's writable ports, when /dev/snd/seq
// exists) followed by the virtual destinations that tests make and read. Any thread.
class MidiSystem {
public:
    static MidiSystem& Shared();

    MidiSystem();
    ~MidiSystem();
    MidiSystem(const MidiSystem&) = delete;
    MidiSystem& operator=(const MidiSystem&) = delete;

    MidiClient CreateClient(const std::string& name);
    void DisposeClient(MidiClient client);
    // An output port of a client; 0 when the client is unknown.
    MidiPort CreateOutputPort(MidiClient client, const std::string& name);
    void DisposePort(MidiPort port);

    // Destination i in the system's order; 0 past the end.
    MidiEndpoint Destination(size_t index);
    // False when the endpoint is unknown.
    bool Names(MidiEndpoint endpoint, MidiDestinationNames& out);
    // Sends one packet of bytes from a port to a destination, now. Unknown ports or
    // destinations send nothing.
    void Send(MidiPort port, MidiEndpoint destination, const uint8_t* bytes, size_t length);

    // A destination of this process that keeps every packet sent to it.
    MidiEndpoint AddVirtualDestination(const MidiDestinationNames& names);
    void RemoveVirtualDestination(MidiEndpoint endpoint);
    // The packets received by a virtual destination since the last call, oldest first.
    std::vector<std::vector<uint8_t>> TakeReceived(MidiEndpoint endpoint);

private:
    struct Virtual {
        MidiEndpoint id;
        MidiDestinationNames names;
        std::vector<std::vector<uint8_t>> received;
    };
    Virtual* FindVirtual(MidiEndpoint endpoint);

    std::recursive_mutex fLock;
    std::unique_ptr<AlsaSequencer> fAlsa; // null without a sequencer
    std::vector<Virtual> fVirtuals;
    std::vector<std::pair<MidiClient, std::string>> fClients;
    struct Port {
        MidiPort id;
        MidiClient client;
        int alsaPort; // -1 without a sequencer port
    };
    const Port* FindPort(MidiPort port) const;
    AlsaSequencer* Alsa();

    std::vector<Port> fPorts;
    bool fAlsaTried = false;
    uint32_t fNextId = 1;
};

} // namespace plat
