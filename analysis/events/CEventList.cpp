#include "analysis/events/CEventList.h"
#include "analysis/events/CEventCell.h"
#include "analysis/events/EventList.h"
#include "analysis/records/CSnxSchema.h"
#include "controls/drag/CDragItemList.h"
#include "controls/drag/CDragRecordWriter.h"
#include "controls/drag/CDragScrapAcs.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjChange.h"
#include "foundation/records/LObjRoot.h"
#include "shell/windows/LDrop.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr uint32_t kSelectionMulti = 3;
// Both codes of the container of an 'EVTX' drag item.
constexpr uint32_t kContainerCode = 1;
constexpr uint32_t kAcceptAsSource = 1;

bool IsRecord(const LObjChange& notice, uint32_t cls)
{
    return notice.record && notice.record->Is(CSnxSchema::kCreator, cls);
}

float SecondsSince(uint32_t start)
{
    return float(LTicks::Diff(LTicks::Now(), start)) * 0.001f;
}

} // namespace

CEventList::CEventList(LPane* parent, LObjRoot* holder, LObject* windowRecord)
    : LCellGrid(parent, kSelectionMulti, false, false), fHolder(holder), fWindowRecord(windowRecord),
      fDrag(this, CListDragDropHelper::kByRows, 0), fTimer(this)
{
    InsertColumns(0, 1);
    InsertRows(0, int32_t(EventList::Count(Events())));
    if (fHolder)
        fObservingDocument = fHolder->AddObserver(this, &OnRecordChange);
    fWindowHolder = fWindowRecord ? fWindowRecord->GetRootHolder() : nullptr;
    if (fWindowHolder && fWindowHolder != fHolder)
        fObservingWindow = fWindowHolder->AddObserver(this, &OnRecordChange);
}

CEventList::~CEventList()
{
    if (fObservingDocument)
        fHolder->RemoveObserver(this, &OnRecordChange);
    if (fObservingWindow)
        fWindowHolder->RemoveObserver(this, &OnRecordChange);
}

LObject* CEventList::Events() const
{
    return fHolder && fHolder->Root() ? fHolder->Root()->GetChild(kFdrsEvts) : nullptr;
}

std::unique_ptr<LPane> CEventList::CreateCell()
{
    return std::make_unique<CEventCell>(this);
}

bool CEventList::FillCell(LPane& pane, const CLPoint& cell)
{
    const LObject* event = cell.x == 0 && cell.y >= 0 ? EventList::At(Events(), uint32_t(cell.y)) : nullptr;
    if (!event)
        return false;
    auto& row = static_cast<CEventCell&>(pane);
    const float time = event->GetFloat(kEvtxTime);
    const double whole = std::isfinite(time) ? std::trunc(double(time)) : 0.0;
    row.Time().SetUnits(int64_t(std::clamp(whole, -86400.0, 86400.0)), 1);
    row.Text().SetText(event->GetString(kEvtxText));
    return true;
}

void CEventList::ConfigureCell(LPane& pane)
{
    KeepCellWidth();
    LCellGrid::ConfigureCell(pane);
    auto& row = static_cast<CEventCell&>(pane);
    const bool timed = fWindowRecord && fWindowRecord->GetByte(kWindEvtr);
    row.Time().SetState(timed ? kEventShow : kEventHide);
    row.Relayout();
}

void CEventList::StateChanged(int32_t event)
{
    if (event == kEventHostShow)
        UpdatePlayback();
    LCellGrid::StateChanged(event);
}

void CEventList::RectChanged(const CLRect& old)
{
    KeepCellWidth();
    LCellGrid::RectChanged(old);
}

// The rows are as wide as the list, also after the first row's prototype asked for its own
// width: a wider row would put its text under the scroll bar, where it cannot be edited.
void CEventList::KeepCellWidth()
{
    const int32_t width = std::max<int32_t>(1, int32_t(Rect().Width()));
    if (CellWidth() != width)
        SetCellSize(width, CellHeight());
}

void CEventList::DrawSelf(LPortState& port) const
{
    LCellGrid::DrawSelf(port);
    fDrag.DrawIndicator(port);
}

void CEventList::AddEvent()
{
    LObject* events = Events();
    if (!events)
        return;
    const LRegion& selection = Selection();
    const uint32_t index = selection.IsEmpty() ? EventList::Count(events) : uint32_t(selection.GetBounds().bottom);
    LObjectPtr event = LObject::Create(CSnxSchema::EventClass());
    if (!event)
        return;
    LObject::SetFloat(event.get(), nullptr, kEvtxTime, index > 0 ? EventList::Time(events, index - 1) : 0.0f,
                      LObject::Merge::No);
    if (!LObject::InsertChild(events, this, kEvtsEvts, index, std::move(event)))
        return;
    SelectCell({0, int32_t(index)});
    ScrollIntoView({0, int32_t(index)});
}

void CEventList::DeleteSelection()
{
    LObject* events = Events();
    if (!events || Selection().IsEmpty())
        return;
    auto step = CUndoStrm::BeginCompound(this, LStringRef());
    const CLRect bounds = Selection().GetBounds();
    for (int32_t row = bounds.bottom - 1; row >= bounds.top; --row) {
        if (row >= 0 && Selection().Intersects({0, row, 1, row + 1}))
            LObject::DeleteChildAt(events, this, kEvtsEvts, uint32_t(row));
    }
}

// ---- cell edits ----

void CEventList::SetTimeFromField(CEventCell& cell, uint32_t row)
{
    LObject* events = Events();
    LObject* event = EventList::At(events, row);
    Timecode tc{cell.Time().Mode()};
    const int32_t sign = Timecode::Parse(cell.Time().GetText().View(), tc);
    const float seconds = float(sign * Timecode::ToFrames(tc, 1));
    const uint64_t key = reinterpret_cast<uintptr_t>(event);
    CUndoStrm step(this, key, CUndoStrm::ReplayPair, LStringRef(), CUndoStrm::Kind::Container,
                   CUndoStrm::Mode::Merge);
    LObject::SetFloat(event, this, kEvtxTime, seconds, LObject::Merge::No);
    EventList::Resort(events, this, row);
}

bool CEventList::HandleCellMessage(const LMessage& msg)
{
    const auto* subject = dynamic_cast<const LPane*>(msg.subject);
    CLPoint at;
    auto* cell = dynamic_cast<CEventCell*>(subject ? FindCell(subject, &at) : nullptr);
    if (!cell || at.y < 0 || uint32_t(at.y) >= EventList::Count(Events()))
        return false;
    const uint32_t row = uint32_t(at.y);
    if (subject == &cell->EmitButton() && StrEqual(msg.type, LStdCtl::msgSelected)) {
        SendDeviceText(fWindowRecord, std::string(cell->Text().GetText().View()).c_str());
        return true;
    }
    if (subject == &cell->Time() && StrEqual(msg.type, CNumVol::msgFix)) {
        SetTimeFromField(*cell, row);
        return true;
    }
    if (subject == &cell->Text() && StrEqual(msg.type, LEditText::msgChange)) {
        LObject::SetString(EventList::At(Events(), row), this, kEvtxText, cell->Text().GetText(), LObject::Merge::Yes);
        return true;
    }
    return false;
}

void CEventList::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (HandleCellMessage(msg)) {
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        EmitDue();
        LMessage::Clear(result);
        return;
    }
    HandleDragMessage(result, msg);
}

// ---- drag and drop ----

void CEventList::HandleDragMessage(LMessage& result, const LMessage& msg)
{
    if (!fDrag.HandleOwnerMessage(result, msg, kFlavour, *this))
        LCellGrid::HandleMessage(result, msg);
}

// The selected texts in row order, as one item. The drag is never marked as several cells.
void CEventList::WriteDragData()
{
    std::vector<const LObject*> events;
    for (int32_t row : fDrag.SelectedRows())
        events.push_back(EventList::At(Events(), uint32_t(row)));
    fDrag.SetDragRecords(kFlavour, kContainerCode, kContainerCode, events, false);
}

bool CEventList::AcceptDropped()
{
    LObject* events = Events();
    CDragScrapAcs scrap(fDrag.CurrentDrag());
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!events || !scrap.GetData({LStringRef(), kFlavour}, 0, data, size))
        return true;
    std::vector<LObjectPtr> records = CDragRecordReader::ReadAll(data, size, kContainerCode, kContainerCode,
                                                                 CSnxSchema::kCreator, CSnxSchema::kEventClass);
    const bool move = fDrag.IsDragFromThisList() && fDrag.ResultKind() == CListDragDropHelper::kResultMove;
    int32_t target = fDrag.DropPosition().y;
    if (move) {
        target = CListDragDropHelper::PosAfterRemoval(fDrag.DropPosition(), Selection()).y;
        if (target < 0)
            return true;  // a drop that touches the moved rows
    }
    if (records.empty())
        return true;
    auto step = CUndoStrm::BeginCompound(this, LStringRef());
    if (move)
        DeleteSelection();
    ClearSelection();
    uint32_t at = std::min<uint32_t>(uint32_t(std::max(0, target)), EventList::Count(events));
    for (LObjectPtr& record : records) {
        // Kept between its new neighbours, so that the list stays in order.
        float time = record->GetFloat(kEvtxTime);
        if (!std::isfinite(time))
            time = 0.0f;
        if (at < EventList::Count(events))
            time = std::min(time, EventList::Time(events, at));
        if (at > 0)
            time = std::max(time, EventList::Time(events, at - 1));
        LObject::SetFloat(record.get(), nullptr, kEvtxTime, time, LObject::Merge::No);
        if (LObject::InsertChild(events, this, kEvtsEvts, at, std::move(record))) {
            AddToSelection({0, int32_t(at)});
            ++at;
        }
    }
    fDrag.SetDropCursor(kAcceptAsSource);
    return true;
}

// ---- playback of the texts ----

void CEventList::UpdatePlayback()
{
    const bool shown = HasFlags(kPaneShown | kPaneHostShown);
    const bool on = fWindowRecord && fWindowRecord->GetByte(kWindEvtr) && fWindowRecord->GetByte(kWindRecording) == 1;
    if (shown && on) {
        if (!fTimer.IsArmed()) {
            fTimer.StartPeriodic(kPlaybackPeriodMs);
            fEmittedUpTo = SecondsSince(fStartTick);
        }
        return;
    }
    fTimer.Stop();
}

void CEventList::EmitDue()
{
    const LObject* events = Events();
    const float now = SecondsSince(fStartTick);
    const uint32_t first = EventList::InsertIndex(events, fEmittedUpTo);
    const uint32_t end = EventList::InsertIndex(events, now);
    for (uint32_t i = first; i < end; ++i) {
        if (const LObject* event = EventList::At(events, i))
            SendDeviceText(fWindowRecord, event->GetString(kEvtxText).Text());
    }
    fEmittedUpTo = now;
}

void CEventList::OnRecordChange(void* context, LObjChange& notice)
{
    static_cast<CEventList*>(context)->RecordChanged(notice);
}

void CEventList::RecordChanged(const LObjChange& notice)
{
    if (IsRecord(notice, CSnxSchema::kEventListClass) && notice.record == Events() && notice.field == kEvtsEvts) {
        switch (notice.operation) {
        case LObjOp::Inserted: InsertRows(notice.index, 1); break;
        case LObjOp::Deleted: DeleteRows(notice.index, 1); break;
        case LObjOp::Moved:
            DeleteRows(notice.index, 1);
            InsertRows(notice.index2, 1);
            break;
        default: break;
        }
        return;
    }
    if (IsRecord(notice, CSnxSchema::kEventClass) && notice.operation == LObjOp::Changed && notice.record &&
        notice.record->Parent() == Events()) {
        UpdateCell({0, notice.record->IndexInParent()});
        return;
    }
    if (notice.record != fWindowRecord || notice.operation != LObjOp::Changed)
        return;
    if (notice.field == kWindRecording) {
        if (fWindowRecord->GetByte(kWindRecording) == 1)
            fStartTick = LTicks::Now();
        UpdatePlayback();
        fEmittedUpTo = -1.0f;
    } else if (notice.field == kWindEvtr) {
        ReconfigureCells();
        InvalidateCells(LRegion(Rect()));
        UpdatePlayback();
    }
}
