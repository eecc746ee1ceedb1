#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/core/LList.h"

#include <cstdint>

// A colour of the drawing layer, interned in one process-wide registry so that equal colours
// share one record: an RGB triplet with an index and alpha, or a named colour by id.
class LColorRecord : public LHandleData, public SSLink {
public:
    LColorRecord() noexcept = default;
    // A copy has the same key but is a new, unregistered record.
    LColorRecord(const LColorRecord& other) noexcept;
    LColorRecord& operator=(const LColorRecord&) = delete;
    // Leaves the registry.
    ~LColorRecord() override;

    // Equal ids other than -1; or both -1 with equal index, RGB and alpha.
    bool Equals(const LColorRecord& other) const noexcept;

    // The first registered record equal to `record`, or null.
    static LColorRecord* FindRegistered(const LColorRecord& record);
    // Links the record at the front of the registry.
    static void Register(LColorRecord* record);

    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint32_t index = 0;
    int32_t colorId = -1;  // -1 = none
    float alpha = 1.0f;
};
