#include "foundation/core/LCallbackList.h"

bool LCallbackList::Add(const LCallbackEntry& entry) noexcept
{
    if (!entry.function || FindLast(entry) >= 0)
        return true;
    return Append(&entry);
}

void LCallbackList::Remove(const LCallbackEntry& entry) noexcept
{
    const int64_t index = FindLast(entry);
    if (index >= 0)
        RemoveItem(static_cast<uint32_t>(index));
}

int64_t LCallbackList::FindLast(const LCallbackEntry& entry) const noexcept
{
    const auto* entries = Items<LCallbackEntry>();
    for (int64_t i = int64_t{Count()} - 1; i >= 0; --i) {
        if (entries[i] == entry)
            return i;
    }
    return -1;
}
