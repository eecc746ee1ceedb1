// Dragging faders: reordering inside one list and copying into another document's list.
#include "analysis/events/CMoveIndexAdjuster.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/records/SnxFields.h"
#include "controls/drag/CDragItemList.h"
#include "controls/drag/CDragRecordWriter.h"
#include "controls/drag/CDragScrapAcs.h"
#include "foundation/records/CUndoStrm.h"
#include "outputs/editor/CFaderList.h"
#include "shell/windows/LDrop.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr uint32_t kAcceptNone = 0;
constexpr uint32_t kAcceptMove = 2;
constexpr uint32_t kAcceptCopy = 3;
constexpr uint8_t kMaxChannel = 3;
constexpr uint8_t kMaxSourceType = 4;
// A band edge beyond this is no frequency a source delivers.
constexpr float kMaxFrequency = 1.0e9f;

float Finite(float value, float low, float high)
{
    return std::isfinite(value) ? std::clamp(value, low, high) : low;
}

// A fader from a drag keeps only values the editor could have set: every field in range, each
// low end at or below its high end, and nothing of the live state of its old document.
void ClampFader(LObject* fader)
{
    const auto no = LObject::Merge::No;
    LObject::SetByte(fader, nullptr, kFadrSchn, std::min(fader->GetByte(kFadrSchn), kMaxChannel), no);
    LObject::SetByte(fader, nullptr, kFadrStyp, std::min(fader->GetByte(kFadrStyp), kMaxSourceType), no);
    LObject::SetByte(fader, nullptr, kFadrFtyp,
                     std::min<uint8_t>(fader->GetByte(kFadrFtyp), CFaderList::kOutputKinds - 1), no);
    const struct {
        uint8_t low, high;
        float max;
    } pairs[] = {{kFadrFrql, kFadrFrqh, kMaxFrequency}, {kFadrAmpl, kFadrAmph, 1.0f}, {kFadrFdrl, kFadrFdrh, 1.0f}};
    for (const auto& pair : pairs) {
        const float low = Finite(fader->GetFloat(pair.low), 0.0f, pair.max);
        const float high = Finite(fader->GetFloat(pair.high), 0.0f, pair.max);
        LObject::SetFloat(fader, nullptr, pair.low, pair.low == kFadrFdrl ? low : std::min(low, high), no);
        LObject::SetFloat(fader, nullptr, pair.high, high, no);
    }
    for (uint8_t live : {kFadrInput, kFadrLevel})
        LObject::SetFloat(fader, nullptr, live, 0.0f, no);
    LObject::SetByte(fader, nullptr, kFadrCurrent, 0, no);
}

} // namespace

void CFaderList::HandleDragMessage(LMessage& result, const LMessage& msg)
{
    if (!fDrag.HandleOwnerMessage(result, msg, kFlavour, *this))
        LCellGrid::HandleMessage(result, msg);
}

bool CFaderList::HandleUsual(LMessage& result, const LMessage& msg)
{
    return HandleCommand(result, msg);
}

// One item per selected row, in row order, each one fader in the chunk form.
// The selected faders in row order, as one item in the chunk form.
void CFaderList::WriteDragData()
{
    std::vector<const LObject*> faders;
    for (int32_t row : fDrag.SelectedRows())
        faders.push_back(fDocument.Fader(row));
    // A drag of several rows is marked so that a drop just below its first row still moves
    // the others.
    fDrag.SetDragRecords(kFlavour, CSnxSchema::kCreator, kContainerClass, faders, faders.size() > 1);
}

bool CFaderList::AcceptDropped()
{
    const LDrop* drag = fDrag.CurrentDrag();
    if (!CDragScrapAcs::DropHasType(drag, {LStringRef(), kFlavour}))
        return false;
    EnterTypedText(); // into its own fader, while its row is where it was
    const uint32_t to = uint32_t(std::clamp(fDrag.DropPosition().y, 0, fDocument.FaderCount()));
    if (fDrag.IsDragFromThisList() && fDrag.ResultKind() == CListDragDropHelper::kResultMove)
        MoveSelectedChildren(to);
    else
        CopyDroppedFaders(to);
    return true;
}

void CFaderList::MoveSelectedChildren(uint32_t to)
{
    LObject* root = fDocument.Root();
    std::vector<uint32_t> rows;
    for (int32_t row : fDrag.SelectedRows()) {
        if (row < fDocument.FaderCount())
            rows.push_back(uint32_t(row));
    }
    if (!root || rows.empty()) {
        fDrag.SetDropCursor(kAcceptNone);
        return;
    }
    CMoveIndexAdjuster adjuster;
    adjuster.Init(to);
    {
        auto step = CUndoStrm::BeginCompound(this, LStringRef());
        for (uint32_t row : rows) {
            const uint32_t target = adjuster.Insertion();
            LObject::MoveChild(root, this, kFdrsFdrs, adjuster.Next(row), target);
        }
    }
    const int32_t first = int32_t(adjuster.FirstMoved(uint32_t(rows.size())));
    ApplySelection(LRegion(CLRect{0, first, 1, first + int32_t(rows.size())}));
    fDrag.SetDropCursor(kAcceptMove);
}

// Every 'FADR' item is read before anything is inserted, so a drag that cannot be read
// changes nothing; an item of another class is left out.
void CFaderList::CopyDroppedFaders(uint32_t to)
{
    CDragScrapAcs scrap(fDrag.CurrentDrag());
    std::vector<LObjectPtr> faders;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    for (uint32_t k = 0; k < CDragRecordReader::kMaxRecords && scrap.GetData({LStringRef(), kFlavour}, k, data, size);
         ++k) {
        std::vector<LObjectPtr> read = CDragRecordReader::ReadAll(data, size, CSnxSchema::kCreator, kContainerClass,
                                                                  CSnxSchema::kCreator, CSnxSchema::kFaderClass);
        for (LObjectPtr& fader : read) {
            if (faders.size() < CDragRecordReader::kMaxRecords)
                faders.push_back(std::move(fader));
        }
    }
    LObject* root = fDocument.Root();
    if (!root)
        return;
    auto step = CUndoStrm::BeginCompound(this, LStringRef());
    ClearSelection();
    for (LObjectPtr& fader : faders) {
        ClampFader(fader.get());
        if (!LObject::InsertChild(root, this, kFdrsFdrs, to, std::move(fader)))
            continue;
        AddToSelection({0, int32_t(to)});
        ++to;
    }
    fDrag.SetDropCursor(kAcceptCopy);
}
