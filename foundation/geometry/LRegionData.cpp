#include "foundation/geometry/LRegionData.h"

#include <cstdlib>
#include <new>

LRegionData* LRegionData::Make(const CLRect& bounds, int32_t* bands) noexcept
{
    LRegionData* data = new (std::nothrow) LRegionData(bounds, bands);
    if (!data)
        std::free(bands);
    return data;
}

LRegionData::~LRegionData()
{
    std::free(bands);
}
