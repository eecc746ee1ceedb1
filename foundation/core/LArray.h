#pragma once
#include "foundation/core/LGrowStore.h"

#include <cstddef>
#include <cstdint>

// Dynamic array of fixed-size, trivially copyable elements. Results are true on success and
// false when memory could not be had, in which case nothing changed.
class LArray {
public:
    explicit LArray(uint32_t elementSize, uint32_t initialCapacity = 0) noexcept;
    LArray(LArray&& other) noexcept;
    LArray& operator=(LArray&& other) noexcept;
    LArray(const LArray&) = delete;
    LArray& operator=(const LArray&) = delete;
    virtual ~LArray();

    uint32_t Count() const noexcept { return fCount; }
    uint32_t Capacity() const noexcept { return fCapacity; }
    uint32_t ElementSize() const noexcept { return fStore.ElementSize(); }
    void* Data() noexcept { return fData; }
    const void* Data() const noexcept { return fData; }
    // Address of element i (no bounds check; i may equal the count for the end).
    void* At(uint32_t i) noexcept { return static_cast<char*>(fData) + uint64_t{i} * ElementSize(); }
    const void* At(uint32_t i) const noexcept
    {
        return static_cast<const char*>(fData) + uint64_t{i} * ElementSize();
    }
    template <class T> T* Items() noexcept { return static_cast<T*>(fData); }
    template <class T> const T* Items() const noexcept { return static_cast<const T*>(fData); }

    // Inserts one element at `index` (clamped to the count); a full array grows to
    // count + 1 plus max(32, count + 1) elements.
    [[nodiscard]] bool InsertAt(uint32_t index, const void* element) noexcept;
    [[nodiscard]] bool Append(const void* element) noexcept { return InsertAt(fCount, element); }
    // Inserts n elements at `index` (clamped); copies them from `source` when given, else
    // leaves them uninitialised.
    [[nodiscard]] bool InsertItems(uint32_t index, const void* source, uint32_t n) noexcept;
    // Writes n elements at `index`, growing the count to cover them; a gap between the old
    // count and `index` is zero-filled.
    [[nodiscard]] bool SetItems(uint32_t index, const void* source, uint32_t n) noexcept;
    [[nodiscard]] bool SetAt(uint32_t index, const void* element) noexcept { return SetItems(index, element, 1); }
    // Replaces the whole contents with n elements (from `source` when given).
    [[nodiscard]] bool SetAll(const void* source, uint32_t n) noexcept;
    // Grows (new elements uninitialised) or shrinks to n elements.
    [[nodiscard]] bool SetCount(uint32_t n) noexcept;
    // Removes n elements from `index`; a run reaching past the end removes to the end.
    void RemoveAt(uint32_t index, uint32_t n = 1) noexcept;
    // Moves element `from` to `to`, shifting the ones between by one place; `scratch` holds
    // one element. Out-of-range indices change nothing.
    void MoveItem(uint32_t from, uint32_t to, void* scratch) noexcept;
    // Count 0 (the storage stays); FreeAll also frees the storage.
    void RemoveAll() noexcept { fCount = 0; }
    void FreeAll() noexcept;

private:
    void Bind(uint32_t elementSize) noexcept;
    size_t UsedBytes() const noexcept { return size_t{fCount} * ElementSize(); }

    uint32_t fCount = 0;
    uint32_t fCapacity = 0;
    void* fData = nullptr;
    LGrowStore fStore;
};
