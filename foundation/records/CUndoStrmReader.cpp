// Reading side of CUndoStrm: opening records for replay, typed reads and the group replays.
#include "foundation/records/CUndoStrm.h"

#include "foundation/records/CUndoRing.h"

#include <cstring>

CUndoStrm::CUndoStrm(CUndoRing* ring, int direction) : LHandler(nullptr), fRing(ring)
{
    if (!ring || !ring->IsUsable()) {
        fRing = nullptr;
        return;
    }
    if (direction == kRedo)
        OpenForRedo();
    else
        OpenForUndo();
}

void CUndoStrm::Invalidate()
{
    // A record that does not read back as written: the history cannot be trusted.
    fRing->ClearHistory();
    fRing = nullptr;
    fReplay = nullptr;
    fFailed = true;
}

bool CUndoStrm::ReadCaption(uint64_t start, uint64_t end)
{
    uint64_t first = 0, second = 0;
    const uint64_t from = start + CUndoRing::kHeaderSize;
    if (!fRing->FindNulForward(from, end, first) || first != from ||
        !fRing->FindNulForward(first + 1, end, second))
        return false;
    const uint64_t length = second - first - 1;
    std::string text(length, '\0');
    if (length && !fRing->ReadAt(first + 1, text.data(), length))
        return false;
    fCaption = LStringRef(std::string_view(text));
    fStart = second + 1;
    fEnd = end;
    return true;
}

void CUndoStrm::OpenForRedo()
{
    CUndoRing& ring = *fRing;
    if (!ring.busy && ring.cur >= ring.Capacity())
        ring.cur = 0;
    const uint64_t start = ring.cur;
    CUndoRing::Header header;
    if (!ring.ReadRecordHeader(start, header) || !ring.IsKnownReplay(header.replay) ||
        !ReadCaption(start, start + header.total - CUndoRing::kTrailerSize)) {
        Invalidate();
        return;
    }
    fRecordStart = start;
    fId = header.id;
    fReplay = reinterpret_cast<ReplayFn>(header.replay);
    fSealed = header.sealed != 0;
    fPos = fStart;
    ring.cur = start + header.total;
}

void CUndoStrm::OpenForUndo()
{
    CUndoRing& ring = *fRing;
    const uint64_t end = ring.cur;
    uint32_t length = 0;
    CUndoRing::Header header;
    if (end < CUndoRing::kMinRecord || !ring.ReadU32At(end - CUndoRing::kTrailerSize, length) ||
        length > end || !ring.ReadRecordHeader(end - length, header) || header.total != length ||
        !ring.IsKnownReplay(header.replay) ||
        !ReadCaption(end - length, end - CUndoRing::kTrailerSize)) {
        Invalidate();
        return;
    }
    fRecordStart = end - length;
    fId = header.id;
    fReplay = reinterpret_cast<ReplayFn>(header.replay);
    fSealed = header.sealed != 0;
    fPos = fEnd;
    ring.cur = fRecordStart;
    if (ring.cur == 0 && ring.oldest != 0)
        ring.cur = ring.wrapEnd;  // step back through the wrap
}

// ---- forwards ----

bool CUndoStrm::ReadBytes(void* buffer, uint64_t n)
{
    if (!IsReading() || n > fEnd - fPos || (n && buffer && !fRing->ReadAt(fPos, buffer, n))) {
        fFailed = true;
        if (buffer)
            std::memset(buffer, 0, n);
        return false;
    }
    fPos += n;
    return true;
}

LStringRef CUndoStrm::ReadString()
{
    uint64_t first = 0, second = 0;
    if (!IsReading() || !fRing->FindNulForward(fPos, fEnd, first) ||
        !fRing->FindNulForward(first + 1, fEnd, second)) {
        fFailed = true;
        fPos = fEnd;
        return LStringRef();
    }
    std::string text(second - first - 1, '\0');
    if (!text.empty() && !fRing->ReadAt(first + 1, text.data(), text.size()))
        fFailed = true;
    fPos = second + 1;
    return LStringRef(std::string_view(text));
}

// ---- backwards ----

bool CUndoStrm::ReadBack(void* buffer, uint64_t n)
{
    if (!IsReading() || n > fPos - fStart || (n && buffer && !fRing->ReadAt(fPos - n, buffer, n))) {
        fFailed = true;
        if (buffer)
            std::memset(buffer, 0, n);
        return false;
    }
    fPos -= n;
    return true;
}

LStringRef CUndoStrm::ReadBackString()
{
    uint64_t last = 0, first = 0;
    if (!IsReading() || !fRing->FindNulBackward(fPos, fStart, last) ||
        !fRing->FindNulBackward(last, fStart, first)) {
        fFailed = true;
        fPos = fStart;
        return LStringRef();
    }
    std::string text(last - first - 1, '\0');
    if (!text.empty() && !fRing->ReadAt(first + 1, text.data(), text.size()))
        fFailed = true;
    fPos = first;
    return LStringRef(std::string_view(text));
}

// ---- groups ----

namespace {

// Marks the ring busy for the nested replays of a group and puts cur and busy back after,
// unless the history was cleared meanwhile.
class NestedReplayScope {
public:
    explicit NestedReplayScope(CUndoRing& ring)
        : fRing(ring), fEnd(ring.cur), fBusy(ring.busy), fEpoch(ring.Epoch())
    {
        ring.busy = 1;
    }
    ~NestedReplayScope()
    {
        fRing.busy = fBusy;
        if (fRing.Epoch() == fEpoch)
            fRing.cur = fEnd;
    }
    uint64_t End() const { return fEnd; }
    bool Intact() const { return fRing.Epoch() == fEpoch; }

private:
    CUndoRing& fRing;
    uint64_t fEnd;
    uint8_t fBusy;
    uint32_t fEpoch;
};

// Opens the record at (redo) or before (undo) cur and replays it; false when it could not be
// read or does not lie inside [low, high].
bool ReplayOne(CUndoRing& ring, int direction, uint64_t low, uint64_t high, bool play = true)
{
    CUndoStrm reader(&ring, direction);
    if (!reader.IsReading() || reader.RecordStart() < low || reader.RecordEnd() > high)
        return false;
    if (play && reader.Replay())
        reader.Replay()(reader.Id(), &reader, direction);
    return true;
}

} // namespace

void CUndoStrm::ReplayNested(uint64_t, CUndoStrm* reader, int direction)
{
    if (!reader || !reader->IsReading())
        return;
    CUndoRing& ring = *reader->fRing;
    NestedReplayScope scope(ring);
    const uint64_t start = reader->fStart;
    const uint64_t end = reader->fEnd;
    ring.cur = reader->fPos;
    if (direction == kRedo) {
        while (scope.Intact() && ring.cur + CUndoRing::kTrailerSize < scope.End()) {
            if (!ReplayOne(ring, kRedo, start, end))
                break;
        }
    } else {
        while (scope.Intact() && start < ring.cur) {
            if (!ReplayOne(ring, kUndo, start, end))
                break;
        }
    }
}

void CUndoStrm::ReplayPair(uint64_t, CUndoStrm* reader, int direction)
{
    if (!reader || !reader->IsReading())
        return;
    CUndoRing& ring = *reader->fRing;
    NestedReplayScope scope(ring);
    const uint64_t start = reader->fStart;
    const uint64_t end = reader->fEnd;
    ring.cur = reader->fPos;
    if (direction == kRedo) {
        // The first group alone, or the latest group when a second one follows.
        CUndoStrm first(&ring, kRedo);
        if (!first.IsReading() || first.RecordStart() < start || first.RecordEnd() > end)
            return;
        if (scope.End() <= ring.cur + CUndoRing::kTrailerSize) {
            if (first.Replay())
                first.Replay()(first.Id(), &first, kRedo);
            return;
        }
        ReplayOne(ring, kRedo, start, end);
        return;
    }
    // The last group when it is sealed or alone, then the first one before it.
    CUndoStrm last(&ring, kUndo);
    if (!last.IsReading() || last.RecordStart() < start || last.RecordEnd() > end)
        return;
    if ((last.Sealed() || ring.cur <= start) && last.Replay())
        last.Replay()(last.Id(), &last, kUndo);
    if (scope.Intact() && start < ring.cur)
        ReplayOne(ring, kUndo, start, end);
}
