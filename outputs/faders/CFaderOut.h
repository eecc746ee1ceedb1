#pragma once
#include "outputs/faders/CFaderSoundLink.h"
#include "outputs/faders/FaderLevel.h"

#include <cstdint>
#include <memory>
#include <string>

class LObject;

// Output kinds of a fader ('ftyp'); the name of each is its definition file.
enum CFaderKind : uint32_t {
    kFaderNone = 0,
    kFaderDmx = 1,      // "dmx": one DMX channel, 8 bits
    kFaderDmx2 = 2,     // "dmx2": two DMX channels, high byte first
    kFaderSound = 3,    // "snd": a looping sound whose playback rate follows the value
    kFaderSoundVol = 4, // "sndvol": volume of the nearest "snd" fader above
    kFaderMidiCtrl = 5, // "mctrl": control change
    kFaderMidiBend = 6, // "mbend": pitch bend
    kFaderMidiNote = 7, // "mnote": note whose number follows the value
    kFaderMidiTrig = 8, // "mtrig": note on/off at the input threshold
    kFaderOsc = 9,      // "osc": OSC message over UDP
    kFaderKindCount = 10,
};

// The runtime entry of one fader: what its output last did and what it needs to go on.
struct CFaderOut {
    explicit CFaderOut(LObject* fader) : record(fader) {}

    LObject* record;              // the fader's 'FADR' record (not owned)
    uint32_t kind = kFaderNone;   // 0 until the parameters were read
    uint16_t dmxChannel = 1;
    float soundScale = 0.5f;      // "svl"
    float volumeFactor = 1.0f;    // set by an "sndvol" fader below
    uint8_t midiChannel = 0;
    uint8_t controller = 7;
    uint8_t note = 60;
    uint8_t velocity = 64;
    uint32_t oscPort = 0;
    std::string oscAddress;
    std::string soundFile;        // the sound now loaded
    std::unique_ptr<CFaderSoundLink> player;
    // The record's fields the passes read, kept in step by the engine through change notices.
    CFaderRanges ranges;          // 'ampl', 'amph', 'fdrl', 'fdrh'
    uint8_t sourceType = 0;       // 'styp'
    uint8_t sourceChannel = 0;    // 'schn'
    float lowHz = 0.0f;           // 'frql'
    float highHz = 0.0f;          // 'frqh'
    float inputValue = 0.0f;      // the last value handed in, before mapping
    float level = 0.0f;           // inputValue through the ranges
    uint8_t standing = 0;         // a MIDI message stands that must be undone
    uint8_t lastNote = 60;
    float oscValue = 0.0f;        // the last mapped value queued for OSC
    uint8_t oscPending = 1;
};
