#pragma once
#include "foundation/text/LResourceSource.h"

#include <cstdint>

// Loads resources from one open resource file: makes that file current for the lookup and
// restores the file that was current before.
class LResFileSource : public LResourceSource {
public:
    explicit LResFileSource(int32_t refNum) : fRefNum(refNum) {}

    [[nodiscard]] bool Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out) override;
    uint32_t GetRegion() const override { return kRegionUS; }
    int32_t RefNum() const { return fRefNum; }

private:
    int32_t fRefNum;
};
