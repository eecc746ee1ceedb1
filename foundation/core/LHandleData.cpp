#include "foundation/core/LHandleData.h"

void LHandleData::Retain() const noexcept
{
    fCount.fetch_add(1, std::memory_order_relaxed);
}

void LHandleData::Release() const noexcept
{
    // acq_rel: every write made through other handles happens before the object goes.
    if (fCount.fetch_sub(1, std::memory_order_acq_rel) - 1 <= 0)
        const_cast<LHandleData*>(this)->Dispose();
}

void LHandleData::Dispose() noexcept
{
    delete this;
}
