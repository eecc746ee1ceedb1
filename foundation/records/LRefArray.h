#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <memory>

// Storage of a text array field: string handles in one block. Every slot from the count up
// to the capacity holds the shared empty string.
class LRefArray {
public:
    explicit LRefArray(uint32_t capacity = 0);
    LRefArray(const LRefArray&) = delete;
    LRefArray& operator=(const LRefArray&) = delete;
    ~LRefArray() { Clear(); }

    uint32_t Count() const noexcept { return fCount; }
    uint32_t Capacity() const noexcept { return fCapacity; }
    const LStringRef& At(uint32_t index) const noexcept { return fSlots[index]; }
    LStringRef* Data() noexcept { return fSlots.get(); }
    const LStringRef* Data() const noexcept { return fSlots.get(); }

    // Inserts at an index clamped to the count; a full block grows to 2 x count + 2 slots.
    // False (nothing changed) when the block cannot grow.
    [[nodiscard]] bool Insert(uint32_t index, const LStringRef& text);
    // Removes the handle at an index below the count (later handles shift down).
    void Remove(uint32_t index);
    void Set(uint32_t index, const LStringRef& text) { fSlots[index] = text; }
    // Removes the handles from the last to the first.
    void Clear();

private:
    uint32_t fCount = 0;
    uint32_t fCapacity = 0;
    std::unique_ptr<LStringRef[]> fSlots;
};
