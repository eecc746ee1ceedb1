#include "foundation/text/LResourceSource.h"

#include <atomic>

namespace {
std::atomic<LResourceSource*> gGlobalSource{nullptr};
}

uint32_t LResourceSource::GetRegion() const
{
    return kRegionUS;
}

LResourceSource* LResourceSource::Global()
{
    return gGlobalSource.load(std::memory_order_acquire);
}

void LResourceSource::SetGlobal(LResourceSource* source)
{
    gGlobalSource.store(source, std::memory_order_release);
}
