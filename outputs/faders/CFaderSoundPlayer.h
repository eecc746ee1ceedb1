#pragma once
#include "outputs/CSoundPlayer.h"
#include "outputs/faders/CFaderSoundLink.h"

#include <memory>

// The sound of a "snd" fader on the default output: the engine's player link over a
// CSoundPlayer.
class CFaderSoundPlayer : public CFaderSoundLink {
public:
    // The sound maker the engine uses unless it is given another one.
    static std::unique_ptr<CFaderSoundLink> Make(void* context);

    bool Load(std::string_view file) override { return fPlayer.Load(file); }
    void Play() override { fPlayer.Play(); }
    void Stop() override { fPlayer.Stop(); }
    void SetRate(float rate) override { fPlayer.SetRate(rate); }
    void SetVolume(float volume) override { fPlayer.SetVolume(volume); }
    void SetLoop(bool loop) override { fPlayer.SetLoop(loop); }

    const CSoundPlayer& Player() const { return fPlayer; }

private:
    CSoundPlayer fPlayer;
};
