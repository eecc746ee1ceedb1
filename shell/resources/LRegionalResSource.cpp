#include "shell/resources/LRegionalResSource.h"

LRegionalResSource::LRegionalResSource(int32_t refNum, uint32_t region) : LResFileSource(refNum)
{
    SetRegion(region);
}

void LRegionalResSource::SetRegion(uint32_t region)
{
    fRegion = region;
    fSuffix = region == kRegionJP ? "_J" : "";
}

bool LRegionalResSource::Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out)
{
    if (ref.name && !fSuffix.empty()) {
        const std::string regional = std::string(ref.name) + fSuffix;
        if (LResFileSource::Load(type, LResRef{ref.id, regional.c_str()}, out))
            return true;
    }
    return LResFileSource::Load(type, ref, out);
}
