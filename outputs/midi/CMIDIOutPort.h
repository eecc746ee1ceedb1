#pragma once
#include "foundation/core/LStringRef.h"
#include "platform/midi/MidiSystem.h"

#include <atomic>
#include <cstdint>

class CMIDIClient;
class LHandler;
class LObject;

// The application's MIDI output: one port on the global client, connected to one destination
// chosen by display name. Safe to send from several threads.
class CMIDIOutPort {
public:
    // SelectDest results.
    enum : int32_t { kConnected = 0, kNoPort = 1, kNotFound = 2 };

    CMIDIOutPort(CMIDIClient* client, const char* portName);
    virtual ~CMIDIOutPort();
    CMIDIOutPort(const CMIDIOutPort&) = delete;
    CMIDIOutPort& operator=(const CMIDIOutPort&) = delete;

    virtual bool IsConnected() const { return fDestination.load() != 0; }
    // Disconnects, then connects to the first destination whose display name equals `name`.
    virtual int32_t SelectDest(const char* name);
    virtual void Deselect() { fDestination.store(0); }
    // One short message when connected: 1 byte when data1 >= 0x80, 2 when data2 >= 0x80,
    // else 3. A data byte of 0xFF thus marks "absent".
    virtual void SendShort(uint8_t status, uint8_t data1, uint8_t data2);
    // One packet of length mod 256 bytes, when connected.
    virtual void SendBytes(const uint8_t* bytes, uint32_t length);

    plat::MidiPort Port() const { return fPort; }
    plat::MidiEndpoint Destination() const { return fDestination.load(); }

private:
    plat::MidiSystem* fSystem = nullptr;
    plat::MidiPort fPort = 0;
    std::atomic<plat::MidiEndpoint> fDestination{0};
};

// A new output port on the global client (a port that sends nothing when there is none).
CMIDIOutPort* NewMIDIOutPort(LHandler* owner, const char* portName);

// The display name of a destination: device name, entity name and the endpoint's own name,
// each followed by one blank when present; empty for endpoint 0 or an unknown one.
LStringRef MIDIDestDisplayName(plat::MidiEndpoint endpoint, plat::MidiSystem& system = plat::MidiSystem::Shared());

// The "comboid" parameter of a parameter set: the chosen destination's display name.
void SetComboIdParam(LObject* set, const LStringRef& value);
bool FindComboIdParam(const LObject* set, LStringRef& value);
