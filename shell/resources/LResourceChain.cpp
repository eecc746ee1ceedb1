#include "shell/resources/LResourceChain.h"

void LResourceChain::Add(LResourceSource* source)
{
    if (source)
        fSources.push_back(source);
}

bool LResourceChain::Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out)
{
    for (auto it = fSources.rbegin(); it != fSources.rend(); ++it)
        if ((*it)->Load(type, ref, out))
            return true;
    out.clear();
    return false;
}

uint32_t LResourceChain::GetRegion() const
{
    for (auto it = fSources.rbegin(); it != fSources.rend(); ++it)
        if (const uint32_t region = (*it)->GetRegion(); region != kRegionUS)
            return region;
    return kRegionUS;
}
