#pragma once
#include "foundation/core/LArray.h"
#include "foundation/core/LList.h"

#include <cstdint>

class LIterArray;

// Iterator over an LIterArray that stays right when elements are removed under it: the
// array lowers its position when an element before it goes.
class LListIter : public SSLink {
public:
    explicit LListIter(LIterArray& array) noexcept;
    ~LListIter() override;
    LListIter(const LListIter&) = delete;
    LListIter& operator=(const LListIter&) = delete;

    // Copies the element at the position to `out` and advances; false at the end (or once
    // the array is gone).
    bool Next(void* out) noexcept;
    uint32_t Position() const noexcept { return fPosition; }

private:
    friend class LIterArray;
    LIterArray* fArray;
    uint32_t fPosition = 0;
};

// An LArray that keeps a list of the iterators running over it.
class LIterArray : public LArray {
public:
    explicit LIterArray(uint32_t elementSize, uint32_t initialCapacity = 0) noexcept
        : LArray(elementSize, initialCapacity)
    {
    }
    // Detaches (without deleting) the iterators still registered.
    ~LIterArray() override;

    // Removes element `index` and lowers the position of every live iterator beyond it, so
    // an iteration in progress neither skips nor repeats an element.
    void RemoveItem(uint32_t index) noexcept;

private:
    friend class LListIter;
    LList fIterators;
};
