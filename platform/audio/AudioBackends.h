#pragma once
#include "platform/audio/AudioFormat.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace plat {

// One block handed to an output: the output's own zeroed buffer of the bytes asked for; the
// pull function fills it, or points `data` at bytes of its own (which must stay valid until
// it is called again) and may shorten `bytes`.
struct AudioBlock {
    const void* data = nullptr;
    uint32_t bytes = 0;
};

using InputNotify = std::function<void(uint32_t frames)>;
using OutputPull = std::function<bool(AudioBlock& block, uint32_t frames)>;

// What an input device does once open; made by the ALSA and the simulated backends.
class InputBackend {
public:
    virtual ~InputBackend() = default;
    [[nodiscard]] virtual bool Start() = 0;
    virtual void Stop() = 0;
    // Copies up to `frames` frames of the block being delivered; frames copied.
    virtual uint32_t Render(void* buffer, uint32_t frames) = 0;
    [[nodiscard]] virtual bool GetVolume(float& value) = 0;
    [[nodiscard]] virtual bool SetVolume(float value) = 0;
};

class OutputBackend {
public:
    virtual ~OutputBackend() = default;
    [[nodiscard]] virtual bool Start() = 0;
    virtual void Stop() = 0;
};

// Each returns null when the device cannot be opened; `format` comes back as obtained. A
// backend that gives up says why with NoteOpenFailure, on the thread that opens.
void NoteOpenFailure(std::string reason);
// The reason noted last on this thread, and forgets it ("" when none was noted).
std::string TakeOpenFailure();

std::unique_ptr<InputBackend> OpenAlsaInput(const std::string& name, AudioFormat& format, InputNotify notify);
// A simulated input; when "sim:file=PATH" cannot be opened, the reason in words ("it is a
// named pipe, not a file") is noted as the open's failure.
std::unique_ptr<InputBackend> OpenSimInput(const std::string& name, AudioFormat& format, InputNotify notify);
std::unique_ptr<OutputBackend> OpenAlsaOutput(const std::string& name, AudioFormat& format, OutputPull pull);
std::unique_ptr<OutputBackend> OpenNullOutput(const AudioFormat& format, OutputPull pull);

// Prepares a zeroed buffer, pulls one block into it and returns the bytes with data
// (0 when the pull gave nothing); shared by every output backend.
uint32_t PullBlock(const OutputPull& pull, uint8_t* buffer, uint32_t frames, uint32_t bytesPerFrame);

} // namespace plat
