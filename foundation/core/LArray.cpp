#include "foundation/core/LArray.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

// Elements copied from the array's own storage would dangle once the storage moves: such a
// source is copied aside first. False when that copy cannot be had.
bool DetachSource(const void*& source, size_t bytes, const void* data, size_t used,
                  std::unique_ptr<char[]>& holder) noexcept
{
    const auto from = reinterpret_cast<uintptr_t>(source);
    const auto begin = reinterpret_cast<uintptr_t>(data);
    if (!source || !data || bytes == 0 || from >= begin + used || from + bytes <= begin)
        return true;
    holder.reset(new (std::nothrow) char[bytes]);
    if (!holder)
        return false;
    std::memcpy(holder.get(), source, bytes);
    source = holder.get();
    return true;
}

} // namespace

LArray::LArray(uint32_t elementSize, uint32_t initialCapacity) noexcept
{
    Bind(elementSize);
    if (initialCapacity)
        (void)fStore.Resize(initialCapacity, false);
}

LArray::LArray(LArray&& other) noexcept
{
    Bind(other.ElementSize());
    std::swap(fCount, other.fCount);
    std::swap(fCapacity, other.fCapacity);
    std::swap(fData, other.fData);
}

LArray& LArray::operator=(LArray&& other) noexcept
{
    if (this != &other) {
        FreeAll();
        Bind(other.ElementSize());
        std::swap(fCount, other.fCount);
        std::swap(fCapacity, other.fCapacity);
        std::swap(fData, other.fData);
    }
    return *this;
}

LArray::~LArray()
{
    fStore.Free();
}

void LArray::Bind(uint32_t elementSize) noexcept
{
    (void)fStore.Init(&fData, &fCapacity, elementSize);
}

bool LArray::InsertAt(uint32_t index, const void* element) noexcept
{
    std::unique_ptr<char[]> copy;
    if (fCount == UINT32_MAX || !DetachSource(element, ElementSize(), fData, UsedBytes(), copy))
        return false;
    if (fCount >= fCapacity) {
        const uint32_t needed = fCount + 1;
        if (!fStore.Reserve(needed, std::max<uint32_t>(32, needed), true))
            return false;
    }
    index = std::min(index, fCount);
    const size_t size = ElementSize();
    std::memmove(At(index + 1), At(index), size_t{fCount - index} * size);
    if (element)
        std::memcpy(At(index), element, size);
    ++fCount;
    return true;
}

bool LArray::InsertItems(uint32_t index, const void* source, uint32_t n) noexcept
{
    const uint64_t total = uint64_t{fCount} + n;
    std::unique_ptr<char[]> copy;
    if (total > UINT32_MAX || !DetachSource(source, size_t{n} * ElementSize(), fData, UsedBytes(), copy) ||
        !fStore.Reserve(static_cast<uint32_t>(total), 0, true))
        return false;
    if (n == 0)
        return true;
    index = std::min(index, fCount);
    const size_t size = ElementSize();
    std::memmove(At(index + n), At(index), size_t{fCount - index} * size);
    if (source)
        std::memcpy(At(index), source, size_t{n} * size);
    fCount = static_cast<uint32_t>(total);
    return true;
}

bool LArray::SetItems(uint32_t index, const void* source, uint32_t n) noexcept
{
    const uint64_t end = uint64_t{index} + n;
    if (end > UINT32_MAX)
        return false;
    const uint32_t newCount = std::max(static_cast<uint32_t>(end), fCount);
    std::unique_ptr<char[]> copy;
    if (!DetachSource(source, size_t{n} * ElementSize(), fData, UsedBytes(), copy) ||
        !fStore.Reserve(newCount, 0, true))
        return false;
    const size_t size = ElementSize();
    if (index > fCount)
        std::memset(At(fCount), 0, size_t{index - fCount} * size);
    if (source && n)
        std::memmove(At(index), source, size_t{n} * size);
    fCount = newCount;
    return true;
}

bool LArray::SetAll(const void* source, uint32_t n) noexcept
{
    std::unique_ptr<char[]> copy;
    if (!DetachSource(source, size_t{n} * ElementSize(), fData, UsedBytes(), copy) || !fStore.Reserve(n, 0, false))
        return false;
    if (source && n)
        std::memcpy(fData, source, size_t{n} * ElementSize());
    fCount = n;
    return true;
}

bool LArray::SetCount(uint32_t n) noexcept
{
    if (n > fCount)
        return InsertItems(fCount, nullptr, n - fCount);
    RemoveAt(n, fCount - n);
    return true;
}

void LArray::RemoveAt(uint32_t index, uint32_t n) noexcept
{
    if (index >= fCount)
        return;
    if (n >= fCount - index) {
        fCount = index;
        return;
    }
    const size_t size = ElementSize();
    std::memmove(At(index), At(index + n), size_t{fCount - index - n} * size);
    fCount -= n;
}

void LArray::MoveItem(uint32_t from, uint32_t to, void* scratch) noexcept
{
    if (from == to || from >= fCount || to >= fCount || !scratch)
        return;
    const size_t size = ElementSize();
    std::memcpy(scratch, At(from), size);
    if (from < to)
        std::memmove(At(from), At(from + 1), size_t{to - from} * size);
    else
        std::memmove(At(to + 1), At(to), size_t{from - to} * size);
    std::memcpy(At(to), scratch, size);
}

void LArray::FreeAll() noexcept
{
    fStore.Free();
    fCount = 0;
}
