#pragma once
#include <cstddef>
#include <cstdint>

// A malloc block bound to its owner's fields: the owner keeps the data pointer and the
// capacity (in elements); the store resizes them. Byte sizes are computed in 64 bits and a
// size that cannot be had fails like an allocation failure.
class LGrowStore {
public:
    LGrowStore() noexcept = default;
    LGrowStore(const LGrowStore&) = delete;
    LGrowStore& operator=(const LGrowStore&) = delete;

    // Binds the store to the owner's fields, zeroes them and resizes to `initialCount`.
    bool Init(void** dataSlot, uint32_t* capacitySlot, uint32_t elementSize, uint32_t initialCount = 0) noexcept;

    // Capacity becomes n elements; 0 frees the block. Keeping or shrinking reallocates in
    // place; growing without keeping allocates anew and frees the old block. False on
    // failure, with block and capacity unchanged.
    [[nodiscard]] bool Resize(uint32_t n, bool keep) noexcept;
    // True at once when the capacity is at least `min`; else resizes to min + extra
    // (capped at the largest capacity).
    [[nodiscard]] bool Reserve(uint32_t min, uint32_t extra, bool keep) noexcept;
    // Frees the block.
    void Free() noexcept;
    // Hands the block to the caller, who frees it with std::free; the store becomes empty.
    void* Take() noexcept;

    void* Data() const noexcept { return fData ? *fData : nullptr; }
    uint32_t Capacity() const noexcept { return fCapacity ? *fCapacity : 0; }
    uint32_t ElementSize() const noexcept { return fElementSize; }

    // A gate asked before every allocation of every store (bytes wanted); returning false
    // makes the allocation fail. Tests use it to reach the failure paths; null removes it.
    using AllocGate = bool (*)(size_t bytes);
    static void SetAllocGate(AllocGate gate) noexcept;

private:
    void** fData = nullptr;
    uint32_t* fCapacity = nullptr;
    uint32_t fElementSize = 1;
};
