#include "foundation/records/CUndoRing.h"

#include "foundation/streams/LStream.h"

#include <cstring>

namespace {

// Header layout: total at 0, id at 8, replay function at 16, sealed at 24.
constexpr uint64_t kIdOffset = 8;
constexpr uint64_t kReplayOffset = 16;
constexpr uint64_t kSealedOffset = 24;

void Encode(const CUndoRing::Header& header, uint8_t (&raw)[CUndoRing::kHeaderSize])
{
    std::memset(raw, 0, sizeof raw);
    std::memcpy(raw, &header.total, 4);
    std::memcpy(raw + kIdOffset, &header.id, 8);
    std::memcpy(raw + kReplayOffset, &header.replay, 8);
    raw[kSealedOffset] = header.sealed;
}

} // namespace

bool CUndoRing::IsUsable() const
{
    return fStream && fStream->Error() == 0;
}

void CUndoRing::ClearHistory()
{
    cur = oldest = top = wrapEnd = openStart = 0;
    sealed = 0;
    fEnd = 0;
    fEpoch++;
}

bool CUndoRing::ReadAt(uint64_t position, void* buffer, uint64_t n) const
{
    if (!IsUsable())
        return false;
    fStream->SetPosition(position);
    uint64_t count = n;
    fStream->Read(buffer, &count);
    return count == n && fStream->Error() == 0;
}

void CUndoRing::WriteAt(uint64_t position, const void* data, uint64_t n)
{
    if (!IsUsable())
        return;
    fStream->SetPosition(position);
    fStream->Write(data, n);
    Extend(position + n);
}

bool CUndoRing::ReadU32At(uint64_t position, uint32_t& value) const
{
    return ReadAt(position, &value, sizeof value);
}

bool CUndoRing::ReadRecordHeader(uint64_t start, Header& header) const
{
    uint8_t raw[kHeaderSize];
    if (start >= fEnd || !ReadAt(start, raw, sizeof raw))
        return false;
    std::memcpy(&header.total, raw, 4);
    std::memcpy(&header.id, raw + kIdOffset, 8);
    std::memcpy(&header.replay, raw + kReplayOffset, 8);
    header.sealed = raw[kSealedOffset];
    if (header.total < kMinRecord || header.total > fEnd - start)
        return false;
    uint32_t trailer = 0;
    return ReadU32At(start + header.total - kTrailerSize, trailer) && trailer == header.total;
}

void CUndoRing::WriteHeader(uint64_t start, const Header& header)
{
    uint8_t raw[kHeaderSize];
    Encode(header, raw);
    WriteAt(start, raw, sizeof raw);
}

void CUndoRing::AppendHeader(const Header& header)
{
    uint8_t raw[kHeaderSize];
    Encode(header, raw);
    Append(raw, sizeof raw);
}

bool CUndoRing::FindNulForward(uint64_t from, uint64_t limit, uint64_t& at) const
{
    uint8_t chunk[32];
    if (limit > fEnd)
        limit = fEnd;
    while (from < limit) {
        const uint64_t n = limit - from < sizeof chunk ? limit - from : sizeof chunk;
        if (!ReadAt(from, chunk, n))
            return false;
        if (const void* nul = std::memchr(chunk, 0, n)) {
            at = from + uint64_t(static_cast<const uint8_t*>(nul) - chunk);
            return true;
        }
        from += n;
    }
    return false;
}

bool CUndoRing::FindNulBackward(uint64_t from, uint64_t limit, uint64_t& at) const
{
    uint8_t chunk[32];
    while (from > limit) {
        const uint64_t n = from - limit < sizeof chunk ? from - limit : sizeof chunk;
        if (!ReadAt(from - n, chunk, n))
            return false;
        for (uint64_t i = n; i-- > 0;) {
            if (chunk[i] == 0) {
                at = from - n + i;
                return true;
            }
        }
        from -= n;
    }
    return false;
}

void CUndoRing::NoteReplay(uint64_t replay)
{
    if (!IsKnownReplay(replay))
        fReplays.push_back(replay);
}

bool CUndoRing::IsKnownReplay(uint64_t replay) const
{
    for (uint64_t known : fReplays) {
        if (known == replay)
            return true;
    }
    return false;
}

void CUndoRing::Append(const void* data, uint64_t n)
{
    DropOverrun(cur, n);
    WriteAt(cur, data, n);
    cur += n;
}

void CUndoRing::DropOverrun(uint64_t p, uint64_t n)
{
    while (p < oldest && oldest <= p + n) {
        if (oldest >= wrapEnd) {
            oldest = 0;
            return;
        }
        Header header;
        if (!ReadRecordHeader(oldest, header)) {
            // The older history cannot be walked: keep only the record being written.
            oldest = openStart;
            return;
        }
        oldest += header.total;
    }
}

void CUndoRing::WrapIfFull()
{
    if (cur < fCapacity)
        return;
    // Records past the new wrap end can no longer be reached going back: drop them.
    if (oldest > cur)
        oldest = 0;
    wrapEnd = cur;
    cur = 0;
    if (oldest == 0) {
        Header first;
        const bool valid = ReadRecordHeader(0, first);
        oldest = (valid && first.total != top) ? first.total : 0;
    }
}
