#include "foundation/core/LStrStream.h"

#include <cstring>

LStrStream::LStrStream() noexcept
{
    Clear();
}

const char* LStrStream::CStr() const noexcept
{
    if (fLength == 0)
        return "";
    return IsInline() ? fInline : reinterpret_cast<const char*>(fHeap.Data());
}

void LStrStream::Clear() noexcept
{
    fLength = 0;
    fError = 0;
    fInline[0] = '\0';
}

void LStrStream::Reset() noexcept
{
    Clear();
    fHeap.Free();
}

bool LStrStream::MoveToHeap(uint32_t need) noexcept
{
    if (!fHeap.Reserve(need, need, false))
        return false;
    std::memcpy(fHeap.Data(), fInline, fLength);
    return true;
}

void LStrStream::Write(const void* data, uint32_t n) noexcept
{
    if (n == 0)
        return;
    const uint64_t need64 = uint64_t{fLength} + n + 1;
    if (need64 > UINT32_MAX) {
        fError = 1;
        return;
    }
    const auto need = static_cast<uint32_t>(need64);
    if (need > kInlineCapacity) {
        // Bytes taken from the stream's own heap text must be found again after it grows.
        const auto bytes = reinterpret_cast<uintptr_t>(data);
        const auto oldHeap = reinterpret_cast<uintptr_t>(fHeap.Data());
        const bool fromHeap = !IsInline() && bytes >= oldHeap && bytes < oldHeap + fLength;
        const size_t offset = fromHeap ? bytes - oldHeap : 0;
        // The text goes to the heap now or already lies there; on failure nothing is appended.
        if ((IsInline() && !MoveToHeap(need)) || !fHeap.Reserve(need, need, true)) {
            fError = 1;
            return;
        }
        char* heap = reinterpret_cast<char*>(fHeap.Data());
        if (fromHeap)
            data = heap + offset;
        std::memmove(heap + fLength, data, n);
        fLength += n;
        heap[fLength] = '\0';
        return;
    }
    std::memmove(fInline + fLength, data, n);
    fLength += n;
    fInline[fLength] = '\0';
}

void LStrStream::Write(std::string_view text) noexcept
{
    if (text.size() > UINT32_MAX) {
        fError = 1;
        return;
    }
    Write(text.data(), static_cast<uint32_t>(text.size()));
}

void LStrStream::PutChar(char c) noexcept
{
    if (fLength + 1 < kInlineCapacity) {
        fInline[fLength++] = c;
        fInline[fLength] = '\0';
        return;
    }
    Write(&c, 1);
}
