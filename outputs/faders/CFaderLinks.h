#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

// NOTE: the engine reaches its UDP port and its sound players through these narrow interfaces.
// Each lists exactly the operations the engine uses, named and shaped as the port and player
// classes name them; an adapter over the UDP port and one over the sound player fill them when
// the document window takes the engine.

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
