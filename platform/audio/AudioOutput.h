#pragma once
#include "platform/audio/AudioBackends.h"
#include "platform/audio/AudioFormat.h"

#include <memory>
#include <string>

namespace plat {

// A sound output. Once started it pulls blocks of at most kMaxFramesPerSlice frames from its
// pull function, on its own thread (or on the thread advancing a ManualAudioDriver). A pull
// that gives nothing plays silence for that slice.
class AudioOutput {
public:
    AudioOutput();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens an ALSA pcm by name; "" is the default output. When the default output cannot be
    // had (no sound card), or a ManualAudioDriver is installed, the clock-paced null output
    // stands in. `format` comes back as obtained. A named device that fails gives false.
    [[nodiscard]] bool Open(const std::string& name, AudioFormat& format, OutputPull pull);
    void Close();
    bool IsOpen() const { return fBackend != nullptr; }
    bool IsNull() const { return fNull; }
    const AudioFormat& Format() const { return fFormat; }

    [[nodiscard]] bool Start();
    void Stop();

private:
    std::unique_ptr<OutputBackend> fBackend;
    AudioFormat fFormat;
    bool fNull = false;
};

} // namespace plat
