#pragma once
#include "platform/audio/AudioFormat.h"

#include <string>

typedef struct _snd_pcm snd_pcm_t;

namespace plat {

// An open ALSA pcm in interleaved read/write access with the nearest format ALSA offers to the
// one asked for (resampling allowed). Closed on destruction.
class AlsaPcm {
public:
    enum class Direction { Capture, Playback };

    AlsaPcm() = default;
    ~AlsaPcm();
    AlsaPcm(const AlsaPcm&) = delete;
    AlsaPcm& operator=(const AlsaPcm&) = delete;

    // `format` comes back as set; false when the device or the format is refused.
    [[nodiscard]] bool Open(const std::string& name, Direction direction, AudioFormat& format);
    void Close();
    snd_pcm_t* Handle() const { return fPcm; }

    // Transfers whole frames; frames done, or -1 when the stream failed beyond recovery.
    long ReadFrames(void* buffer, uint32_t frames);
    long WriteFrames(const void* buffer, uint32_t frames);
    // Makes a blocked transfer return and drops what is queued.
    void Drop();

private:
    snd_pcm_t* fPcm = nullptr;
};

} // namespace plat
