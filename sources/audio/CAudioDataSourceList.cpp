#include "sources/audio/CAudioDataSourceList.h"

#include "platform/audio/AudioInput.h"

CAudioDataSourceList::CAudioDataSourceList(const std::string& device)
    : fDevice(device), fNames(plat::AudioInput::DataSources(device))
{
}

bool CAudioDataSourceList::Next()
{
    if (fCursor < fNames.size())
        ++fCursor;
    return fCursor < fNames.size();
}

std::string CAudioDataSourceList::CurrentName() const
{
    return fCursor < fNames.size() ? fNames[fCursor] : std::string();
}
