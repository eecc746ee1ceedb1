#pragma once
#include "platform/audio/AudioFormat.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class InputBackend;

// A sound input device. Once started it calls the callback, on its own thread (or on the
// thread advancing a ManualAudioDriver), each time a block of frames has arrived; inside the
// callback Render copies the block's frames out. The callback is set before Start.
class AudioInput {
public:
    using Callback = std::function<void(uint32_t frames)>;

    AudioInput();
    ~AudioInput();
    AudioInput(const AudioInput&) = delete;
    AudioInput& operator=(const AudioInput&) = delete;

    // Opens a device by name: an ALSA pcm name, "sim:tone", "sim:silence" or
    // "sim:file=PATH"; "" is the default input. `format` is the wish (rate 0: the device's
    // own) and comes back as obtained. False when the device cannot be opened; then
    // OpenFailure says why.
    [[nodiscard]] bool Open(const std::string& name, AudioFormat& format);
    // Why the last Open failed, naming the device ("" after a successful one).
    const std::string& OpenFailure() const { return fOpenFailure; }
    void Close();
    bool IsOpen() const { return fBackend != nullptr; }
    const AudioFormat& Format() const { return fFormat; }

    void SetCallback(Callback callback) { fCallback = std::move(callback); }
    [[nodiscard]] bool Start();
    void Stop();

    // Only inside the callback: copies up to `frames` frames of the arrived block; frames copied.
    uint32_t Render(void* buffer, uint32_t frames);

    // Input gain 0..1 where the device offers one; false when it does not.
    [[nodiscard]] bool GetVolume(float& value);
    [[nodiscard]] bool SetVolume(float value);

    // The input sources of a device (see AlsaMixer); simulated devices have none.
    static std::vector<std::string> DataSources(const std::string& deviceName);
    [[nodiscard]] static bool SelectDataSource(const std::string& deviceName, const std::string& source);

    // The environment variable that names the default input of the running program.
    static constexpr const char* kSoundInputVariable = "SONALYX_SOUND_INPUT";

    // The name "" stands for: the installed ManualAudioDriver's default input, else the one
    // set here, else $SONALYX_SOUND_INPUT, else the ALSA default.
    static std::string DefaultName();
    // Chooses the default input for the process ("" restores the ALSA default).
    static void SetDefaultName(const std::string& name);

private:
    std::unique_ptr<InputBackend> fBackend;
    Callback fCallback;
    AudioFormat fFormat;
    std::string fOpenFailure;
};

} // namespace plat
