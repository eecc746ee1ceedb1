#pragma once
#include "platform/audio/AudioOutput.h"
#include "platform/soundfile/RateConverter.h"
#include "platform/soundfile/SoundFile.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace plat {

// Plays one sound file on the default output with a playback rate (2.0: twice as fast and an
// octave up) and a volume that may change while it plays, once or looping.
class FilePlayer {
public:
    FilePlayer();
    ~FilePlayer();
    FilePlayer(const FilePlayer&) = delete;
    FilePlayer& operator=(const FilePlayer&) = delete;

    // Stops, then opens the file and an output at its rate; false when either fails.
    [[nodiscard]] bool Load(const std::string& path);
    bool IsLoaded() const { return fFile.IsOpen(); }
    void SetLoop(bool loop) { fLoop.store(loop); }
    // Plays from the start; false without a file or output.
    [[nodiscard]] bool Play();
    void Stop();
    bool IsPlaying() const { return fPlaying; }
    // True once a file that does not loop has played to its end.
    bool ReachedEnd() const { return fEnded.load(); }

    void SetRate(float rate) { fRate.store(rate); }
    void SetVolume(float volume) { fVolume.store(volume); }

    // File frames consumed since Play (grows across loops).
    uint64_t SourceFramesRead() const { return fSourceFrames.load(); }

private:
    bool Pull(AudioBlock& block, uint32_t frames);
    bool RefillInput();

    SoundFile fFile;
    RateConverter fConverter;
    AudioOutput fOutput;
    std::vector<int16_t> fIn;
    std::vector<int16_t> fOut;
    long fInFrames = 0;
    long fInPos = 0;
    bool fEndOfInput = false;
    std::atomic<bool> fLoop{false};
    std::atomic<bool> fEnded{false};
    std::atomic<float> fRate{1.0f};
    std::atomic<float> fVolume{1.0f};
    std::atomic<uint64_t> fSourceFrames{0};
    bool fPlaying = false;
};

} // namespace plat
