#pragma once
#include "shell/resources/LResFileSource.h"

#include <string>

// A resource file source that prefers the regional variant of a named resource: with the
// region 'JP  ', "X_J" is taken before "X".
class LRegionalResSource : public LResFileSource {
public:
    LRegionalResSource(int32_t refNum, uint32_t region);

    // Stores the region; 'JP  ' selects the suffix "_J", any other region none.
    void SetRegion(uint32_t region);
    // Tries the regional variant of a named resource first, then the resource as named. A
    // resource named only by id has no regional variant and is looked up by its id alone.
    [[nodiscard]] bool Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out) override;
    uint32_t GetRegion() const override { return fRegion; }
    const std::string& Suffix() const { return fSuffix; }

private:
    uint32_t fRegion = kRegionUS;
    std::string fSuffix;
};
