#include "foundation/core/LGrowStore.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>

namespace {

std::atomic<LGrowStore::AllocGate> gAllocGate{nullptr};

bool GateAllows(size_t bytes) noexcept
{
    const LGrowStore::AllocGate gate = gAllocGate.load(std::memory_order_acquire);
    return !gate || gate(bytes);
}

// Bytes of n elements, or 0 when the product cannot be allocated.
size_t ByteSize(uint32_t n, uint32_t elementSize) noexcept
{
    const uint64_t bytes = uint64_t{n} * elementSize;
    if (bytes > static_cast<uint64_t>(PTRDIFF_MAX))
        return 0;
    return static_cast<size_t>(bytes);
}

} // namespace

bool LGrowStore::Init(void** dataSlot, uint32_t* capacitySlot, uint32_t elementSize, uint32_t initialCount) noexcept
{
    fData = dataSlot;
    fCapacity = capacitySlot;
    fElementSize = elementSize ? elementSize : 1;
    *fData = nullptr;
    *fCapacity = 0;
    return initialCount == 0 || Resize(initialCount, false);
}

bool LGrowStore::Resize(uint32_t n, bool keep) noexcept
{
    if (!fData)
        return false;
    if (n == 0) {
        Free();
        return true;
    }
    const size_t bytes = ByteSize(n, fElementSize);
    if (bytes == 0 || !GateAllows(bytes))
        return false;
    void* block;
    if (*fData && (keep || n <= *fCapacity)) {
        block = std::realloc(*fData, bytes);
        if (!block)
            return false;
    } else {
        block = std::malloc(bytes);
        if (!block)
            return false;
        std::free(*fData);
    }
    *fData = block;
    *fCapacity = n;
    return true;
}

bool LGrowStore::Reserve(uint32_t min, uint32_t extra, bool keep) noexcept
{
    if (Capacity() >= min && fData)
        return true;
    const uint64_t wanted = uint64_t{min} + extra;
    return Resize(wanted > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(wanted), keep);
}

void LGrowStore::Free() noexcept
{
    if (!fData)
        return;
    std::free(*fData);
    *fData = nullptr;
    *fCapacity = 0;
}

void* LGrowStore::Take() noexcept
{
    if (!fData)
        return nullptr;
    void* block = *fData;
    *fData = nullptr;
    *fCapacity = 0;
    return block;
}

void LGrowStore::SetAllocGate(AllocGate gate) noexcept
{
    gAllocGate.store(gate, std::memory_order_release);
}
