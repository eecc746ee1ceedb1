#pragma once
#include <cstdint>

// Finds each item while several items of a list are moved, one after the other in their order
// before the move, to an insertion point (each move takes the item out and puts it in just
// before the element at Insertion()): an item at or after the insertion point is found where
// it was and pushes the point one further; an item before it is found one place lower for
// every earlier item before the point that has already been moved.
class CMoveIndexAdjuster {
public:
    void Init(uint32_t insertion)
    {
        fInsertion = insertion;
        fShift = 0;
    }
    // The current index of the item that was at `index` before the move started; indexes
    // come in ascending order.
    uint32_t Next(uint32_t index)
    {
        if (index >= fInsertion) {
            ++fInsertion;
            return index;
        }
        // Each earlier item before the point left a gap below this one.
        return index - fShift++;
    }
    // Where the next moved item goes: the index to pass as the move's target.
    uint32_t Insertion() const { return fInsertion; }
    // The index of the first moved item once every item has moved.
    uint32_t FirstMoved(uint32_t count) const { return fInsertion - count; }

private:
    uint32_t fInsertion = 0;
    uint32_t fShift = 0;
};
