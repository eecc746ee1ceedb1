#pragma once
#include "platform/soundfile/FilePlayer.h"

#include <string_view>

// Plays one sound file for a "snd" fader, once or in a loop, on the default output; the fader
// changes its playback rate and volume while it runs.
class CSoundPlayer {
public:
    CSoundPlayer() = default;
    ~CSoundPlayer() = default;
    CSoundPlayer(const CSoundPlayer&) = delete;
    CSoundPlayer& operator=(const CSoundPlayer&) = delete;

    // Stops and loads a file (a file location or a path). False when it cannot be played.
    [[nodiscard]] bool Load(std::string_view file);
    // Starts from the top; nothing while playing. Without a file the player still counts as
    // playing (it plays silence).
    void Play();
    void Stop();
    void SetRate(float rate);
    void SetVolume(float volume);
    void SetLoop(bool loop);

    bool IsPlaying() const { return fPlaying; }
    float Rate() const { return fRate; }
    bool Loop() const { return fLoop; }
    // File frames played since the last Play.
    uint64_t FramesPlayed() const { return fGraph.SourceFramesRead(); }

private:
    plat::FilePlayer fGraph;
    float fRate = 1.0f;
    bool fLoop = false;
    bool fPlaying = false;
};
