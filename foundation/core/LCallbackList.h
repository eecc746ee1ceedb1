#pragma once
#include "foundation/core/LIterArray.h"

// Generic function word of a callback entry; callers cast it back to the signature their
// list uses (see LCallbackEntry::As).
using LCallbackFn = void (*)();

struct LCallbackEntry {
    void* context = nullptr;
    LCallbackFn function = nullptr;

    template <class F> F As() const noexcept { return reinterpret_cast<F>(function); }
    friend bool operator==(const LCallbackEntry&, const LCallbackEntry&) = default;
};

// List of {context, function} callbacks: no null functions, no two equal entries, and safe
// against a callback removing itself or another while the list is walked.
class LCallbackList : public LIterArray {
public:
    LCallbackList() noexcept : LIterArray(sizeof(LCallbackEntry)) {}

    // Appends the entry unless its function is null or an equal entry is present (true then
    // as well). False only when memory could not be had.
    [[nodiscard]] bool Add(const LCallbackEntry& entry) noexcept;
    template <class F> [[nodiscard]] bool Add(void* context, F* function) noexcept
    {
        return Add(LCallbackEntry{context, reinterpret_cast<LCallbackFn>(function)});
    }
    // Removes the last equal entry, if any.
    void Remove(const LCallbackEntry& entry) noexcept;
    template <class F> void Remove(void* context, F* function) noexcept
    {
        Remove(LCallbackEntry{context, reinterpret_cast<LCallbackFn>(function)});
    }
    bool Contains(const LCallbackEntry& entry) const noexcept { return FindLast(entry) >= 0; }

    // Calls visit(entry) for each entry in order; entries may be added or removed meanwhile.
    template <class Visit> void ForEach(Visit&& visit)
    {
        LListIter iter(*this);
        LCallbackEntry entry;
        while (iter.Next(&entry))
            visit(entry);
    }

private:
    int64_t FindLast(const LCallbackEntry& entry) const noexcept;
};
