#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

// NOTE: the engine reaches the shared DMX output, the MIDI output port, its UDP port and the
// sound players through these narrow interfaces. Each lists exactly the operations the engine
// uses, named and shaped as the output classes name them; the application adapts its outputs
// to them (or the output classes implement them) when the document window takes the engine.

// The program frame of the shared DMX output.
class CFaderDmxLink {
public:
    virtual ~CFaderDmxLink() = default;
    // Slot ch = clamp(trunc(value x 255), 0, 255); ch above 512 is ignored.
    virtual void SetChannel8(uint32_t ch, float value) = 0;
    // Slots ch and ch+1 = high and low byte of min(trunc(value x 65535), 65535).
    virtual void SetChannel16(uint32_t ch, float value) = 0;
    // Slot ch = byte (console values).
    virtual void SetChannel(uint32_t ch, uint8_t byte) = 0;
    // The engine that drives the console values; null when none.
    virtual const void* Driver() const = 0;
    virtual void SetDriver(const void* engine) = 0;
};

// The application's MIDI output port.
class CFaderMidiLink {
public:
    virtual ~CFaderMidiLink() = default;
    // One short message: 1 byte when data1 >= 0x80, 2 when data2 >= 0x80, else 3.
    virtual void SendShort(uint8_t status, uint8_t data1, uint8_t data2) = 0;
};

// The engine's datagram port for OSC, bound to any local port.
class CFaderOscLink {
public:
    virtual ~CFaderOscLink() = default;
    // False while closed or while the previous datagram is still on its way.
    virtual bool CanSend() const = 0;
    // Sends one datagram to 127.0.0.1:port; the caller keeps the bytes until CanSend again.
    virtual bool SendTo(uint16_t port, const void* data, uint32_t length) = 0;
};

// The looping sound of one "snd" fader.
class CFaderSoundLink {
public:
    virtual ~CFaderSoundLink() = default;
    [[nodiscard]] virtual bool Load(std::string_view file) = 0;
    // Nothing while already playing.
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void SetRate(float rate) = 0;
    virtual void SetVolume(float volume) = 0;
    virtual void SetLoop(bool loop) = 0;
};

// Makes the player of a new fader entry; null gives an entry without sound.
using CFaderSoundMaker = std::unique_ptr<CFaderSoundLink> (*)(void* context);

// How the raw level of channels 0..3 maps to a fader value: (s / faderSpan) + faderOffset.
struct CFaderChanGain {
    float faderOffset = 0.5f;
    float faderSpan = 1.0f;
};
