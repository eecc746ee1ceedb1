#pragma once
#include "foundation/core/LGrowStore.h"

#include <cstdint>

// Growable byte block. Its size is its capacity in bytes; the contents are the caller's.
class LByteBuffer {
public:
    explicit LByteBuffer(uint32_t initialSize = 0) noexcept;
    LByteBuffer(LByteBuffer&& other) noexcept;
    LByteBuffer& operator=(LByteBuffer&& other) noexcept;
    LByteBuffer(const LByteBuffer&) = delete;
    LByteBuffer& operator=(const LByteBuffer&) = delete;
    virtual ~LByteBuffer();

    uint32_t Size() const noexcept { return fSize; }
    uint8_t* Data() noexcept { return static_cast<uint8_t*>(fData); }
    const uint8_t* Data() const noexcept { return static_cast<const uint8_t*>(fData); }

    // Size becomes n bytes (0 frees the memory); false when the memory cannot be had,
    // with the old block kept.
    [[nodiscard]] bool Resize(uint32_t n, bool keep) noexcept { return fStore.Resize(n, keep); }
    [[nodiscard]] bool Reserve(uint32_t min, uint32_t extra, bool keep) noexcept
    {
        return fStore.Reserve(min, extra, keep);
    }
    void Free() noexcept { fStore.Free(); }
    // Hands the block to the caller (free it with std::free); the buffer becomes empty.
    uint8_t* Take() noexcept { return static_cast<uint8_t*>(fStore.Take()); }
    LGrowStore& Store() noexcept { return fStore; }

private:
    void Bind() noexcept;

    uint32_t fSize = 0;
    void* fData = nullptr;
    LGrowStore fStore;
};
