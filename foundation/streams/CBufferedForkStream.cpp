#include "foundation/streams/CBufferedForkStream.h"

#include <algorithm>
#include <cstring>

CBufferedForkStream::CBufferedForkStream(std::string_view path, uint32_t mode) : CForkStream(path, mode, 0)
{
    fBufferStart = position;
}

CBufferedForkStream::~CBufferedForkStream() { Flush(); }

void CBufferedForkStream::Fill()
{
    const uint64_t saved = position;
    fBufferStart = position - position % kBlockSize;
    position = fBufferStart;
    uint64_t got = kBlockSize;
    CForkStream::Read(fBuffer.Data(), &got);
    position = saved;
    const uint64_t needed = saved - fBufferStart;
    // A block past the end of the file still covers the position; the bytes between the end
    // and the position are zeros, never what the buffer held before.
    if (got < needed)
        std::memset(fBuffer.Data() + got, 0, size_t(needed - got));
    fValidCount = uint32_t(std::max(got, needed));
}

void CBufferedForkStream::Flush()
{
    if (!fDirty)
        return;
    const uint64_t saved = position;
    position = fBufferStart;
    CForkStream::Write(fBuffer.Data(), fValidCount);
    position = saved;
    fDirty = false;
}

void CBufferedForkStream::KeepBufferIfCovering()
{
    if (position < fBufferStart || position > fBufferStart + fValidCount) {
        fBufferStart = position;
        fValidCount = 0;
    }
}

void CBufferedForkStream::SetPosition(uint64_t newPosition)
{
    Flush();
    CForkStream::SetPosition(newPosition);
    KeepBufferIfCovering();
}

uint64_t CBufferedForkStream::GetSize()
{
    Flush();
    CForkStream::GetSize();
    KeepBufferIfCovering();
    return position;
}

void CBufferedForkStream::SetEOF()
{
    Flush();
    CForkStream::SetEOF();
    fBufferStart = position;
    fValidCount = 0;
}

void CBufferedForkStream::Write(const void* data, uint64_t count)
{
    if (!WriteAllowed())
        return;
    const auto* source = static_cast<const uint8_t*>(data);
    uint64_t remaining = count;
    while (remaining > 0) {
        if (remaining < kBlockSize || position % kBlockSize != 0) {
            if (fValidCount == 0)
                Fill();
            const uint64_t room = kBlockSize - Offset();
            const uint64_t k = std::min(remaining, room);
            if (k > 0) {
                fDirty = true;
                std::memcpy(fBuffer.Data() + Offset(), source, size_t(k));
                position += k;
                source += k;
                remaining -= k;
                fValidCount = std::max(fValidCount, uint32_t(Offset()));
                if (remaining == 0)
                    break;
            }
        }
        Flush();
        fBufferStart = position;
        fValidCount = 0;
        if (remaining >= kBlockSize) {
            const uint64_t whole = remaining - remaining % kBlockSize;
            CForkStream::Write(source, whole);
            if (Error() != kNoError)
                return;
            source += whole;
            remaining -= whole;
            fBufferStart = position;
        }
        if (Error() != kNoError)
            return;
    }
}

void CBufferedForkStream::Read(void* buffer, uint64_t* count)
{
    const uint64_t wanted = *count;
    *count = 0;
    if (Error() != kNoError || wanted == 0)
        return;
    auto* target = static_cast<uint8_t*>(buffer);
    uint64_t delivered = 0;
    for (;;) {
        const uint64_t available = fValidCount - Offset();
        const uint64_t k = std::min(wanted - delivered, available);
        std::memcpy(target + delivered, fBuffer.Data() + Offset(), size_t(k));
        position += k;
        delivered += k;
        if (delivered == wanted)
            break;
        Flush();
        const uint64_t rest = wanted - delivered;
        if (rest >= kBlockSize && position % kBlockSize == 0) {
            uint64_t got = rest - rest % kBlockSize;
            CForkStream::Read(target + delivered, &got);
            if (got == 0)
                break;
            delivered += got;
            fBufferStart = position;
            fValidCount = 0;
            continue;
        }
        const uint64_t oldEnd = fBufferStart + fValidCount;
        Fill();
        if (fBufferStart + fValidCount <= oldEnd)
            break;
    }
    *count = delivered;
}
