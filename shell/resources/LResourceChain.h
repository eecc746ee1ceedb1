#pragma once
#include "foundation/text/LResourceSource.h"

#include <vector>

// An ordered list of resource sources asked from the last added to the first, so a source
// added later overrides the ones before it. The chain does not own its sources.
class LResourceChain : public LResourceSource {
public:
    // Appends a source; null is ignored.
    void Add(LResourceSource* source);

    // The first source, from the last, that has the resource loads it; false when none has.
    [[nodiscard]] bool Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out) override;
    // The first region, from the last source, other than 'US  '; 'US  ' when there is none.
    uint32_t GetRegion() const override;

private:
    std::vector<LResourceSource*> fSources;
};
