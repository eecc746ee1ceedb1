#include "foundation/records/LRefArray.h"

#include <new>
#include <utility>

LRefArray::LRefArray(uint32_t capacity)
{
    if (capacity == 0)
        return;
    fSlots.reset(new (std::nothrow) LStringRef[capacity]);
    fCapacity = fSlots ? capacity : 0;
}

bool LRefArray::Insert(uint32_t index, const LStringRef& text)
{
    if (index > fCount)
        index = fCount;
    if (fCount == fCapacity) {
        const uint64_t grown = 2ull * fCount + 2;
        if (grown > UINT32_MAX)
            return false;
        std::unique_ptr<LStringRef[]> block(new (std::nothrow) LStringRef[grown]);
        if (!block)
            return false;
        for (uint32_t i = 0; i < fCount; i++)
            block[i] = fSlots[i];
        fSlots = std::move(block);
        fCapacity = uint32_t(grown);
    }
    for (uint32_t i = fCount; i > index; i--)
        fSlots[i] = fSlots[i - 1];
    fSlots[index] = text;
    fCount++;
    return true;
}

void LRefArray::Remove(uint32_t index)
{
    if (index >= fCount)
        return;
    for (uint32_t i = index; i + 1 < fCount; i++)
        fSlots[i] = fSlots[i + 1];
    fCount--;
    fSlots[fCount].Release();
}

void LRefArray::Clear()
{
    while (fCount > 0)
        Remove(fCount - 1);
}
