#pragma once
#include <string>
#include <vector>

namespace plat {

struct AudioDeviceInfo {
    std::string name;   // what AudioInput::Open and AudioOutput::Open take
    bool hasInput = false;
    bool hasOutput = false;
};

// Every device of the system: the ALSA pcm names it advertises, then the simulated inputs
// ("sim:tone", "sim:silence").
std::vector<AudioDeviceInfo> ListAudioDevices();

} // namespace plat
