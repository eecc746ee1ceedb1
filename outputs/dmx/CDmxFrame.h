#pragma once
#include "foundation/core/LList.h"

#include <array>
#include <atomic>
#include <cstdint>

// One DMX512 packet as it travels through the device queues: a start code (byte 0) and up
// to 512 slots. Bytes are relaxed atomics: faders write the program's frame from two
// threads while the refresh reads it, and a frame may mix old and new values but never
// tears a byte.
class CDmxFrame : public SSLink {
public:
    static constexpr uint32_t kMaxSize = 513;
    using Completion = void (*)(void* context, CDmxFrame* frame);

    CDmxFrame() { Clear(); }
    CDmxFrame(void* context, Completion completion) : fContext(context), fCompletion(completion) { Clear(); }

    uint32_t Size() const { return fSize.load(std::memory_order_relaxed); }
    // Size n clamped to 1..513; bytes between the old and a larger new size become 0.
    void Resize(uint32_t n);
    // Copies size and all 513 bytes.
    void Copy(const CDmxFrame& other);
    // Size 513 with every byte 0 when `full`, else size 1 with start code 0.
    void Clear(bool full = false);

    uint8_t Get(uint32_t i) const { return i < kMaxSize ? fData[i].load(std::memory_order_relaxed) : 0; }
    void Set(uint32_t i, uint8_t value)
    {
        if (i < kMaxSize)
            fData[i].store(value, std::memory_order_relaxed);
    }
    uint8_t StartCode() const { return Get(0); }
    // A slot's value; 0 beyond the frame's size.
    uint8_t Slot(uint32_t k) const { return k < Size() ? Get(k) : 0; }
    void CopyOut(uint8_t* out, uint32_t n) const;
    void CopyIn(const uint8_t* bytes, uint32_t n);

    // Clears the status word and calls the completion, if any.
    void Complete();
    void SetCompletion(void* context, Completion completion)
    {
        fContext = context;
        fCompletion = completion;
    }
    uint32_t status = 0;

private:
    void* fContext = nullptr;
    Completion fCompletion = nullptr;
    std::atomic<uint32_t> fSize{1};
    std::array<std::atomic<uint8_t>, kMaxSize> fData;
};
