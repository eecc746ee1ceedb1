#include "foundation/core/LRef.h"

#include <utility>

LRef& LRef::operator=(LRef&& other) noexcept
{
    if (this != &other) {
        LHandleData* old = std::exchange(fObject, std::exchange(other.fObject, nullptr));
        if (old)
            old->Release();
    }
    return *this;
}

void LRef::Assign(const LHandleData* object) noexcept
{
    RetainIfAny(object);
    LHandleData* old = std::exchange(fObject, const_cast<LHandleData*>(object));
    if (old)
        old->Release();
}
