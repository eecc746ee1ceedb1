#include "shell/app/CPathArray.h"

#include <algorithm>

void CPathArray::Insert(uint32_t index, const LStringRef& path)
{
    index = std::min(index, fCount);
    if (fCount >= fCapacity) {
        const uint32_t capacity = fCount * 2 + 2;
        auto grown = std::make_unique<LStringRef[]>(capacity);
        std::copy(fPaths.get(), fPaths.get() + index, grown.get());
        grown[index] = path;
        std::copy(fPaths.get() + index, fPaths.get() + fCount, grown.get() + index + 1);
        fPaths = std::move(grown);
        fCapacity = capacity;
    } else {
        std::copy_backward(fPaths.get() + index, fPaths.get() + fCount, fPaths.get() + fCount + 1);
        fPaths[index] = path;
    }
    ++fCount;
}
