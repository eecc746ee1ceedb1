#include "foundation/streams/CMemStream.h"
#include "foundation/core/LByteBuffer.h"

#include <algorithm>
#include <cstring>

CMemStream::CMemStream(LByteBuffer& buffer) : LStream(kReadWrite), fGrowable(&buffer)
{
    TakeBufferFields();
}

CMemStream::CMemStream(const void* data, uint32_t size) : LStream(kReadOnly)
{
    InitBuffer(const_cast<void*>(data), size);
}

CMemStream::CMemStream(void* data, uint32_t size, uint32_t mode) : LStream(mode) { InitBuffer(data, size); }

CMemStream::~CMemStream()
{
    if (fGrowable && Error() == kNoError) {
        position = fLength;
        SetEOF();
    }
}

void CMemStream::InitBuffer(void* data, uint32_t size)
{
    fGrowable = nullptr;
    fData = static_cast<uint8_t*>(data);
    fCapacity = data ? size : 0;
    fLength = fCapacity;
}

void CMemStream::TakeBufferFields()
{
    fCapacity = fGrowable->Size();
    fData = fGrowable->Data();
}

void CMemStream::ZeroGapTo(uint64_t end)
{
    if (end > fLength && fData)
        std::memset(fData + fLength, 0, size_t(end - fLength));
}

bool CMemStream::GrowFor(uint64_t end)
{
    if (end > UINT32_MAX)
        return false;
    const auto needed = uint32_t(end);
    // Ask for twice the need first, then settle for less when memory is short.
    for (uint32_t extra = needed;; extra /= 2) {
        if (fGrowable->Reserve(needed, extra, true)) {
            TakeBufferFields();
            return true;
        }
        if (extra == 0)
            return false;
    }
}

void CMemStream::SetPosition(uint64_t newPosition)
{
    if (Error() == kNoError)
        position = newPosition;
}

void CMemStream::SetEOF()
{
    if (!WriteAllowed())   // growable streams are always writable
        return;
    if (fGrowable) {
        if (position > UINT32_MAX || !fGrowable->Resize(uint32_t(position), true)) {
            SetError(kWriteError);
            return;
        }
        TakeBufferFields();
        ZeroGapTo(position);
        fLength = position;
        return;
    }
    if (position > fCapacity) {
        SetError(kWriteError);
        return;
    }
    ZeroGapTo(position);
    fLength = position;
}

void CMemStream::Write(const void* data, uint64_t count)
{
    if (!WriteAllowed())
        return;
    if (count == 0)
        return;
    const uint64_t end = position + count;
    if (end < position || (fGrowable && !GrowFor(end)) || end > fCapacity) {
        SetError(kWriteError);
        return;
    }
    ZeroGapTo(position);
    std::memcpy(fData + position, data, size_t(count));
    position = end;
    fLength = std::max(fLength, position);
}

void CMemStream::Read(void* buffer, uint64_t* count)
{
    if (Error() != kNoError || position >= fLength) {
        *count = 0;
        return;
    }
    const uint64_t k = std::min(*count, fLength - position);
    std::memcpy(buffer, fData + position, size_t(k));
    position += k;
    *count = k;
}
