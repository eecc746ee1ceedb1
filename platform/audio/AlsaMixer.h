#pragma once
#include <string>
#include <vector>

namespace plat {

// The capture gain of the card behind an ALSA pcm name ("hw:1", "plughw:CARD=x", else the
// default card), through its first mixer element with a capture volume.
class AlsaMixer {
public:
    [[nodiscard]] static bool GetCaptureVolume(const std::string& pcmName, float& value);
    [[nodiscard]] static bool SetCaptureVolume(const std::string& pcmName, float value);

    // The input sources the card can switch between (the items of its first enumerated
    // capture control, "Mic", "Line" ...); empty when it has none.
    static std::vector<std::string> CaptureSources(const std::string& pcmName);
    // Switches the card to the named input source; false when there is no such source.
    [[nodiscard]] static bool SelectCaptureSource(const std::string& pcmName, const std::string& source);
};

} // namespace plat
