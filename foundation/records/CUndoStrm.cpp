#include "foundation/records/CUndoStrm.h"

#include "foundation/core/LMessage.h"
#include "foundation/records/CUndoRing.h"

#include <cstring>

const char* CUndoStrm::kFindMessage = "CUndoStrm_Find";

namespace {

uint64_t ReplayWord(CUndoStrm::ReplayFn replay)
{
    return reinterpret_cast<uint64_t>(replay);
}

} // namespace

// ---- writers ----

CUndoStrm::CUndoStrm(LHandler* context, uint64_t id, ReplayFn replay, const LStringRef& caption, Kind kind,
                     Mode mode)
    : LHandler(context), fId(id), fReplay(replay), fCaption(caption), fWriter(true)
{
    if (!context)
        return;
    if (kind == Kind::Container)
        BeginContainer(context, mode);
    else
        Begin(kind, mode);
}

CUndoStrm::CUndoStrm(LHandler* context) : LHandler(context), fWriter(true) {}

std::unique_ptr<CUndoStrm> CUndoStrm::BeginCompound(LHandler* context, const LStringRef& caption)
{
    return std::make_unique<CUndoStrm>(context, 0, ReplayNested, caption, Kind::NewRecord, Mode::New);
}

void CUndoStrm::Clear(LHandler* context)
{
    if (!context)
        return;
    CUndoStrm probe(context);
    if (!probe.Find())
        return;
    if (!probe.fNested)
        probe.fRing->ClearHistory();
    probe.Detach();
}

CUndoStrm::~CUndoStrm()
{
    if (fWriter)
        Finish();
    fContainer.reset();
}

void CUndoStrm::Attach(CUndoRing* ring)
{
    fRing = ring;
    fNested = ring->busy != 0;
    ring->busy = 1;
}

void CUndoStrm::Detach()
{
    if (!fRing)
        return;
    fRing->busy = fNested ? 1 : 0;
    fRing = nullptr;
}

bool CUndoStrm::Find()
{
    LMessage find;
    LMessage::Make(find, kFindMessage, this, Parent());
    LMessage::Send(find);
    return fRing != nullptr;
}

void CUndoStrm::Begin(Kind kind, Mode mode)
{
    if (!Find())
        return;
    CUndoRing& ring = *fRing;
    if (kind == Kind::SkipIfUnchanged && !fNested) {
        Detach();
        return;
    }
    if (mode == Mode::Merge && !fNested && TryMerge())
        return;
    if (mode == Mode::Structural)
        ring.sealed = 1;
    if (!fNested) {
        ring.sealed = 0;
        ring.WrapIfFull();
        ring.openStart = ring.cur;
    }
    fRecordStart = ring.cur;
    fEpoch = ring.Epoch();
    ring.NoteReplay(ReplayWord(fReplay));
    ring.AppendHeader({0, fId, ReplayWord(fReplay), 0});
    const uint8_t nul = 0;
    ring.Append(&nul, 1);
    if (!fNested)
        ring.Append(fCaption.Text(), std::strlen(fCaption.Text()));
    ring.Append(&nul, 1);
}

bool CUndoStrm::TryMerge()
{
    CUndoRing& ring = *fRing;
    if (ring.cur == ring.oldest || ring.sealed || ring.cur < CUndoRing::kMinRecord)
        return false;
    uint32_t length = 0;
    CUndoRing::Header header;
    if (!ring.ReadU32At(ring.cur - CUndoRing::kTrailerSize, length) || length > ring.cur ||
        !ring.ReadRecordHeader(ring.cur - length, header) || header.total != length) {
        ring.ClearHistory();
        return false;
    }
    if (header.id != fId || header.replay != ReplayWord(fReplay) || header.sealed)
        return false;
    const uint64_t start = ring.cur - length;
    uint64_t first = 0, second = 0;
    const uint64_t dataEnd = ring.cur - CUndoRing::kTrailerSize;
    if (!ring.FindNulForward(start + CUndoRing::kHeaderSize, dataEnd, first) ||
        first != start + CUndoRing::kHeaderSize || !ring.FindNulForward(first + 1, dataEnd, second)) {
        ring.ClearHistory();
        return false;
    }
    fRecordStart = start;
    fEpoch = ring.Epoch();
    fSkip = true;
    ring.cur = second + 1;
    ring.openStart = start;
    return true;
}

void CUndoStrm::BeginContainer(LHandler* context, Mode mode)
{
    fContainer = std::make_unique<CUndoStrm>(context, fId, fReplay, fCaption, Kind::NewRecord, mode);
    if (!fContainer->IsRecording())
        return;
    if (fContainer->fSkip) {
        // The container merged: keep its first group and write this one over the second.
        CUndoStrm first(fContainer->fRing, kRedo);
        fContainer->fSkip = false;
    }
    fId = 0;
    fReplay = ReplayNested;
    fCaption = LStringRef();
    Begin(Kind::NewRecord, Mode::New);
}

void CUndoStrm::Finish()
{
    if (!fRing)
        return;
    CUndoRing& ring = *fRing;
    if (ring.Epoch() != fEpoch) {
        Detach();  // the history was cleared while this record was open
        return;
    }
    fSkip = false;
    const uint64_t total = ring.cur - fRecordStart + CUndoRing::kTrailerSize;
    if (total > UINT32_MAX) {
        ring.ClearHistory();
        Detach();
        return;
    }
    const uint32_t trailer = uint32_t(total);
    ring.Append(&trailer, sizeof trailer);
    ring.top = ring.cur;
    ring.WriteHeader(fRecordStart, {trailer, fId, ReplayWord(fReplay), ring.sealed});
    ring.cur = ring.top;
    if (!ring.IsUsable())
        ring.ClearHistory();
    Detach();
}

void CUndoStrm::Write(const void* data, uint64_t n)
{
    if (!IsRecording() || n == 0)
        return;
    if (fSkip)
        fRing->Skip(n);
    else
        fRing->Append(data, n);
}

void CUndoStrm::WriteString(const LStringRef& text)
{
    if (!IsRecording())
        return;
    CUndoRing& ring = *fRing;
    if (fSkip) {
        uint64_t first = 0, second = 0;
        const uint64_t limit = UINT64_MAX;
        if (ring.FindNulForward(ring.cur, limit, first) && ring.FindNulForward(first + 1, limit, second))
            ring.cur = second + 1;
        return;
    }
    const uint8_t nul = 0;
    ring.Append(&nul, 1);
    ring.Append(text.Text(), std::strlen(text.Text()));
    ring.Append(&nul, 1);
}
