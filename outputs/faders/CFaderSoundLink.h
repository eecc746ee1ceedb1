#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

// The looping sound of one "snd" fader, as the engine drives it: the operations of the sound
// player it uses. CFaderSoundPlayer plays on the default output; tests give the engine their own.
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
