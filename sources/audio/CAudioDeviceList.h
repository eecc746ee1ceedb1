#pragma once
#include "platform/audio/AudioDevices.h"

#include <string>
#include <vector>

// The sound devices of the system, walked with a cursor: the first one is current after
// construction; Next moves on and answers false past the last.
class CAudioDeviceList {
public:
    CAudioDeviceList();

    uint32_t Count() const { return uint32_t(fDevices.size()); }
    [[nodiscard]] bool Next();
    // The current device's name; empty past the end.
    std::string CurrentName() const;
    bool CurrentHasInput() const;

    // The device with input streams of that name: simulated inputs ("sim:...") count as
    // present. False when there is none.
    static bool FindInput(const std::string& name, std::string& device);

private:
    std::vector<plat::AudioDeviceInfo> fDevices;
    uint32_t fCursor = 0;
};
