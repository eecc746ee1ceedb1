#include "foundation/core/LIterArray.h"

#include <cstring>

LListIter::LListIter(LIterArray& array) noexcept : fArray(&array)
{
    array.fIterators.PushFront(this);
}

LListIter::~LListIter()
{
    if (fArray)
        fArray->fIterators.Remove(this);
}

bool LListIter::Next(void* out) noexcept
{
    if (!fArray || fPosition >= fArray->Count())
        return false;
    std::memcpy(out, fArray->At(fPosition), fArray->ElementSize());
    ++fPosition;
    return true;
}

LIterArray::~LIterArray()
{
    while (SSLink* link = fIterators.PopFront())
        static_cast<LListIter*>(link)->fArray = nullptr;
}

void LIterArray::RemoveItem(uint32_t index) noexcept
{
    if (index >= Count())
        return;
    RemoveAt(index, 1);
    for (SSLink* link : fIterators) {
        auto* iter = static_cast<LListIter*>(link);
        if (iter->fPosition > index)
            --iter->fPosition;
    }
}
