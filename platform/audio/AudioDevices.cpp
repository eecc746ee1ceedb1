#include "platform/audio/AudioDevices.h"

#include <alsa/asoundlib.h>

#include <cstdlib>
#include <cstring>

namespace plat {

namespace {

std::string TakeHint(void* hint, const char* id)
{
    char* text = snd_device_name_get_hint(hint, id);
    std::string value = text ? text : "";
    std::free(text);
    return value;
}

void AddAlsaDevices(std::vector<AudioDeviceInfo>& devices)
{
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0 || !hints)
        return;
    for (void** hint = hints; *hint; ++hint) {
        AudioDeviceInfo info;
        info.name = TakeHint(*hint, "NAME");
        if (info.name.empty())
            continue;
        const std::string direction = TakeHint(*hint, "IOID");   // empty: both ways
        info.hasInput = direction.empty() || direction == "Input";
        info.hasOutput = direction.empty() || direction == "Output";
        devices.push_back(std::move(info));
    }
    snd_device_name_free_hint(hints);
}

} // namespace

std::vector<AudioDeviceInfo> ListAudioDevices()
{
    std::vector<AudioDeviceInfo> devices;
    AddAlsaDevices(devices);
    devices.push_back({"sim:tone", true, false});
    devices.push_back({"sim:silence", true, false});
    return devices;
}

} // namespace plat
