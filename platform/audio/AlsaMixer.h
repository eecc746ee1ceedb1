#pragma once
#include <string>

namespace plat {

// The capture gain of the card behind an ALSA pcm name ("hw:1", "plughw:CARD=x", else the
// default card), through its first mixer element with a capture volume.
class AlsaMixer {
public:
    [[nodiscard]] static bool GetCaptureVolume(const std::string& pcmName, float& value);
    [[nodiscard]] static bool SetCaptureVolume(const std::string& pcmName, float value);
};

} // namespace plat
