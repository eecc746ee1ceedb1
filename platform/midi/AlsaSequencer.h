#pragma once
#include "platform/midi/MidiSystem.h"

#include <memory>
#include <string>
#include <vector>

namespace plat {

// The ALSA sequencer as a source of MIDI destinations: one sequencer client for the process
// with one output port per program port. Not thread-safe: MidiSystem serialises the calls.
class AlsaSequencer {
public:
    // Null when /dev/snd/seq is missing or the sequencer cannot be opened.
    static std::unique_ptr<AlsaSequencer> Open(const std::string& clientName);
    ~AlsaSequencer();

    // The writable ports of other clients, as endpoint numbers with the given tag added.
    std::vector<MidiEndpoint> Destinations(MidiEndpoint tag);
    bool Names(MidiEndpoint local, MidiDestinationNames& out);
    // A sequencer port for a program port; -1 when it cannot be made.
    int CreatePort(const std::string& name);
    void DeletePort(int port);
    void Send(int port, MidiEndpoint local, const uint8_t* bytes, size_t length);

private:
    explicit AlsaSequencer(void* handle);
    void* fHandle;
    void* fEncoder = nullptr;
};

} // namespace plat
