#include "sources/audio/CRingBuffer.h"

#include <algorithm>
#include <cstring>

void CRingBuffer::Init(uint8_t* data, uint32_t log2Size)
{
    fData = data;
    fMask = (uint32_t(1) << std::min<uint32_t>(log2Size, 31)) - 1;
    Reset();
}

void CRingBuffer::Reset()
{
    fReadIndex.store(0, std::memory_order_release);
    fWriteIndex.store(0, std::memory_order_release);
}

void CRingBuffer::PutByte(uint8_t byte)
{
    const uint32_t index = WriteIndex();
    fData[index & fMask] = byte;
    fWriteIndex.store(index + 1, std::memory_order_release);
}

void CRingBuffer::Write(const void* bytes, uint32_t count)
{
    const Regions regions = GetWriteRegions(count);
    const auto* source = static_cast<const uint8_t*>(bytes);
    if (regions.firstCount)
        std::memcpy(regions.first, source, regions.firstCount);
    if (regions.secondCount)
        std::memcpy(regions.second, source + regions.firstCount, regions.secondCount);
    AdvanceWrite(count);
}

void CRingBuffer::Peek(void* out, uint32_t count) const
{
    const Regions regions = GetReadRegions(count);
    auto* target = static_cast<uint8_t*>(out);
    if (regions.firstCount)
        std::memcpy(target, regions.first, regions.firstCount);
    if (regions.secondCount)
        std::memcpy(target + regions.firstCount, regions.second, regions.secondCount);
}

CRingBuffer::Regions CRingBuffer::GetWriteRegions(uint32_t count) const
{
    return RegionsAt(WriteIndex(), count);
}

CRingBuffer::Regions CRingBuffer::GetReadRegions(uint32_t count) const
{
    return RegionsAt(ReadIndex(), count);
}

CRingBuffer::Regions CRingBuffer::RegionsAt(uint32_t index, uint32_t count) const
{
    Regions regions;
    if (!fData || count == 0)
        return regions;
    count = std::min(count, Size());
    const uint32_t place = index & fMask;
    regions.first = fData + place;
    regions.firstCount = std::min(count, Size() - place);
    if (count > regions.firstCount) {
        regions.second = fData;
        regions.secondCount = count - regions.firstCount;
    }
    return regions;
}
