#include "outputs/dmx/CDmxFrame.h"

#include <algorithm>

void CDmxFrame::Resize(uint32_t n)
{
    n = std::clamp<uint32_t>(n, 1, kMaxSize);
    const uint32_t old = Size();
    for (uint32_t i = old; i < n; ++i)
        Set(i, 0);
    fSize.store(n, std::memory_order_relaxed);
}

void CDmxFrame::Copy(const CDmxFrame& other)
{
    fSize.store(other.Size(), std::memory_order_relaxed);
    for (uint32_t i = 0; i < kMaxSize; ++i)
        Set(i, other.Get(i));
}

void CDmxFrame::Clear(bool full)
{
    for (auto& byte : fData)
        byte.store(0, std::memory_order_relaxed);
    fSize.store(full ? kMaxSize : 1, std::memory_order_relaxed);
}

void CDmxFrame::CopyOut(uint8_t* out, uint32_t n) const
{
    n = std::min(n, kMaxSize);
    for (uint32_t i = 0; i < n; ++i)
        out[i] = Get(i);
}

void CDmxFrame::CopyIn(const uint8_t* bytes, uint32_t n)
{
    n = std::min(n, kMaxSize);
    for (uint32_t i = 0; i < n; ++i)
        Set(i, bytes[i]);
}

void CDmxFrame::Complete()
{
    status = 0;
    if (fCompletion)
        fCompletion(fContext, this);
}
