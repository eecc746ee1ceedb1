#include "sources/audio/CAudioDeviceList.h"

CAudioDeviceList::CAudioDeviceList() : fDevices(plat::ListAudioDevices()) {}

bool CAudioDeviceList::Next()
{
    if (fCursor < fDevices.size())
        ++fCursor;
    return fCursor < fDevices.size();
}

std::string CAudioDeviceList::CurrentName() const
{
    return fCursor < fDevices.size() ? fDevices[fCursor].name : std::string();
}

bool CAudioDeviceList::CurrentHasInput() const
{
    return fCursor < fDevices.size() && fDevices[fCursor].hasInput;
}

bool CAudioDeviceList::FindInput(const std::string& name, std::string& device)
{
    if (name.rfind("sim:", 0) == 0) {
        device = name;
        return true;
    }
    CAudioDeviceList list;
    for (bool more = list.Count() > 0; more; more = list.Next()) {
        if (list.CurrentName() == name && list.CurrentHasInput()) {
            device = name;
            return true;
        }
    }
    return false;
}
