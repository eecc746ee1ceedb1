#include "controls/lists/CListDragDropHelper.h"
#include "controls/CColor.h"
#include "controls/drag/CDragItemList.h"
#include "controls/drag/CDragRecordWriter.h"
#include "controls/drag/CDragScrapAcs.h"
#include "controls/drag/CDragger.h"
#include "controls/lists/CCellRangeIter.h"
#include "controls/lists/LListPane.h"
#include "controls/lists/LListSelModel.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "ui/panes/LPane.h"
#include "shell/draw/CDrawContext.h"
#include "shell/windows/LDrop.h"
#include "ui/draw/LFillRegionOp.h"

#include <algorithm>

const char* CListDragDropHelper::msgSense = "CListDragDropHelper_Sense";

namespace {

constexpr const char* kMouseBackground = "LMouse_Bkgnd";
constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseMove = "LMouse_Move";
constexpr const char* kMouseRelease = "LMouse_Release";
constexpr uint32_t kIndicatorColourId = 4;
constexpr int32_t kBarHalf = 2;
constexpr int32_t kFrameWidth = 2;
// The accept kind that lets the drag source choose (LDrop::kAsSource).
constexpr uint32_t kAcceptAsSource = 1;

int32_t Clamp(int32_t value, int32_t low, int32_t high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

CListDragDropHelper::CListDragDropHelper(LListPane* list, uint32_t orientation, uint32_t options)
    : CDragScroller(list), fPressTimer(std::make_unique<LTimer>(list)), fOptions(options),
      fOrientation(orientation)
{
}

// A dragger that is playing its drag cannot go now: it lets go of this list and goes when the
// drag returns.
CListDragDropHelper::~CListDragDropHelper()
{
    if (fDragger && fDragger->IsRunning())
        fDragger.release()->Abandon();
    fDragger.reset();
    fPressTimer.reset();
}

bool CListDragDropHelper::ShiftHeld() const
{
    const LMouse* mouse = LMouse::Current();
    return mouse && mouse->IsShift();
}

uint32_t CListDragDropHelper::HandleListMessage(const LMessage& msg)
{
    switch (DropPhase(msg)) {
    case kSense:
        return kNothing;
    case kEnter:
        fResultKind = DropEffect();
        return kDragEntered;
    case kLeave:
        HideIndicator();
        return kAsUsual;
    case kDrag:
        DragStep();
        return kNothing;
    case kDrop:
        return Drop();
    default:
        break;
    }
    if (msg.subject == fPressTimer.get())
        return StrEqual(msg.type, LTimer::msgExpire) ? PressTimerExpired() : kNothing;
    if (fDragger && msg.subject == fDragger.get()) {
        if (StrEqual(msg.type, CDragger::msgDrag))
            return DraggerMoved();
        if (StrEqual(msg.type, CDragger::msgEnd))
            return DraggerEnded();
        return kAsUsual;
    }
    if (msg.subject && msg.subject == LMouse::Current())
        return HandlePointer(msg);
    return kAsUsual;
}

bool CListDragOwner::HandleUsual(LMessage&, const LMessage&)
{
    return false;
}

bool CListDragDropHelper::HandleOwnerMessage(LMessage& result, const LMessage& msg, uint32_t flavour,
                                             CListDragOwner& owner)
{
    switch (HandleListMessage(msg)) {
    case kNothing:
        LMessage::Clear(result);
        return true;
    case kAsUsual:
        return owner.HandleUsual(result, msg);
    case kDragStarted:
        owner.WriteDragData();
        return false;
    case kDragMoved:
        LMessage::Redirect(result, msg, msg.subject);  // the dragger runs the drag
        return true;
    case kDragEntered:
        if (!CDragScrapAcs::DropHasType(CurrentDrag(), {LStringRef(), flavour}))
            return false;
        AcceptDrop(kAcceptAsSource);
        LMessage::Clear(result);
        return true;
    case kDropped:
        if (!owner.AcceptDropped())
            return false;
        LMessage::Clear(result);
        return true;
    default:
        return false;
    }
}

uint32_t CListDragDropHelper::HandlePointer(const LMessage& msg)
{
    const LMouse& mouse = *LMouse::Current();
    if (StrEqual(msg.type, kMouseBackground))
        return kNothing;
    if (StrEqual(msg.type, kMouseClick)) {
        if (mouse.IsOption() || mouse.IsCommand() || mouse.IsShift() || mouse.IsControl())
            return kAsUsual;
        fPressCell = List()->CellAt(List()->PointerPos());
        fArmed = false;
        if (List()->SelModel().mode == LListSelModel::kModeSingle) {
            fPressTimer->Start(0);
            return kAsUsual;
        }
        if (!List()->Selection().Intersects({fPressCell.x, fPressCell.y, fPressCell.x + 1, fPressCell.y + 1})) {
            fPressTimer->Start(kHoldMs);
            return kAsUsual;
        }
        fArmed = true;
        fPressTimer->Start(0);
        return kNothing;
    }
    if (StrEqual(msg.type, kMouseMove)) {
        fPressTimer->Stop();
        return kAsUsual;
    }
    if (StrEqual(msg.type, kMouseRelease)) {
        if (fPressTimer->IsArmed())
            fPressTimer->Start(0);
        return kAsUsual;
    }
    return kAsUsual;
}

uint32_t CListDragDropHelper::PressTimerExpired()
{
    const LMouse* mouse = LMouse::Current();
    const bool captured = mouse && mouse->Capture() == static_cast<LHandler*>(List());
    if (!captured && !fArmed)
        return kPressEnded;
    if (fPressCell.x < 0 || fPressCell.y < 0 || fPressCell.x >= List()->Columns() || fPressCell.y >= List()->Rows())
        return kNothing;
    fDragger.reset();  // a dragger from an earlier press that never ended
    fDragger = std::make_unique<CDragger>(List());
    fDragStart = fPressCell;
    fCopy = false;
    return kDragStarted;
}

void CListDragDropHelper::SetDragData(CDragItemList* items, bool copy)
{
    LRef hold(items);  // released on return when no dragger takes it
    if (!fDragger)
        return;
    fCopy = copy;
    fDragger->SetItems(items);
}

void CListDragDropHelper::SetDragRecords(uint32_t flavour, uint32_t creator, uint32_t cls,
                                         const std::vector<const LObject*>& records, bool copy)
{
    CDragRecordWriter writer(creator, cls);
    for (const LObject* record : records)
        writer.Write(record);
    const std::vector<uint8_t> bytes = writer.Finish();
    LRef hold(new CDragItemList);
    auto* items = static_cast<CDragItemList*>(hold.Get());
    items->AddItem(LStringRef(), flavour, bytes.data(), uint32_t(bytes.size()), CDragItem::kLocalOnly);
    SetDragData(items, copy);
}

std::vector<int32_t> CListDragDropHelper::SelectedRows() const
{
    std::vector<int32_t> rows;
    CCellRangeIter cells(List()->Selection(), CCellRangeIter::Order::Rows, CCellRangeIter::Direction::Forward);
    for (CLPoint cell; cells.Next(cell);) {
        if (cell.y >= 0 && cell.y < List()->Rows() && (rows.empty() || rows.back() != cell.y))
            rows.push_back(cell.y);
    }
    return rows;
}

// The outline of the drag: the selected cells of the shown rows, on the screen.
uint32_t CListDragDropHelper::DraggerMoved()
{
    LListPane& list = *List();
    LRegion shown(CLRect{0, list.Origin().y, list.Columns(), list.Origin().y + list.VisibleRows()});
    shown.Intersect(list.Selection());
    LRegion outline;
    CCellRangeIter cells(shown, CCellRangeIter::Order::Rows, CCellRangeIter::Direction::Forward);
    for (CLPoint cell; cells.Next(cell);)
        outline.Union(LRegion(list.CellRect(cell)));
    if (list.Host()) {
        const CLPoint origin = ListOriginInWindow();
        const CLPoint screen = CDrawContext::Measure(list.GetNativeWindow()).LocalToGlobal(origin);
        outline.Offset(screen.x, screen.y);
    }
    fDragger->SetRegion(outline);
    fArmed = false;
    return kDragMoved;
}

// A press on a selected cell let go without a drag is a click: that cell alone is selected
// and the message goes on to the list's base handler and back to the dragger, which then
// deletes itself. Every other end is consumed here, so the dragger goes with it.
uint32_t CListDragDropHelper::DraggerEnded()
{
    const bool click = fArmed && fDragger->Result() == CDragger::kNoDrag;
    if (click) {
        List()->ApplySelection(LRegion(CLRect{fPressCell.x, fPressCell.y, fPressCell.x + 1, fPressCell.y + 1}));
        LMessage::Send(LMessage(LPane::msgReqFocus, List(), List()->Parent()));
    }
    fArmed = false;
    fDragStart = {-1, -1};
    if (click) {
        fDragger.release();  // the message that comes back to it ends it
        return kPressEnded;
    }
    fDragger.reset();
    return kNothing;
}

uint32_t CListDragDropHelper::DropEffect() const
{
    if ((fOptions & kDropOnCell) && ShiftHeld())
        return kResultOntoCell;
    const LDrop* drag = CurrentDrag();
    if (!IsDragFromThisList() || (drag && drag->IsCopyOnly()))
        return kResultCopy;
    return kResultMove;
}

void CListDragDropHelper::AcceptDrop(uint32_t kind)
{
    fAcceptKind = kind;
    SetIndicatorActive(true);
    fDropPosition = {-1, -1};
    SetDropCursor(kind);
}

void CListDragDropHelper::SetDropCursor(uint32_t kind)
{
    SetAccept(int32_t(kind));
    const LDrop* drag = CurrentDrag();
    fAcceptShown = kind == kAcceptAsSource ? ((drag && drag->IsCopyOnly()) ? 1u : 0u) | 2u : kind;
}

void CListDragDropHelper::SendSense()
{
    LMessage::Send(LMessage(msgSense, List(), List()));
}

void CListDragDropHelper::DragStep()
{
    const CLPoint point = DragPointInList();
    if ((fOptions & kDropOnCell) && ShiftHeld())
        TrackOntoCell(point);
    else if (fOrientation == kByRows || fOrientation == kByColumns)
        TrackGap(point);
    else {
        ShowIndicator({-1, -1}, kIndicatorCell);
        SetDropCursor(0);
    }
}

void CListDragDropHelper::TrackOntoCell(const CLPoint& point)
{
    const LListPane& list = *List();
    const CLPoint cell = list.CellAt(point);
    if (!list.Rect().Contains(point) || cell.x < 0 || cell.y < 0 || cell.x >= list.Columns() ||
        cell.y >= list.Rows()) {
        ShowIndicator({-1, -1}, kIndicatorCell);
        SetDropCursor(0);
        return;
    }
    fTarget = cell;
    SendSense();
    ShowIndicator(fTarget, kIndicatorCell);
    SetDropCursor(kResultOntoCell);
}

void CListDragDropHelper::TrackGap(const CLPoint& point)
{
    const LListPane& list = *List();
    const CLPoint cell = list.CellAt(point);
    const CLPoint gap = list.GapAt(point);
    if (fOrientation == kByRows)
        fTarget = {Clamp(cell.x, 0, std::max(0, list.Columns() - 1)), Clamp(gap.y, 0, list.Rows())};
    else
        fTarget = {Clamp(gap.x, 0, list.Columns()), Clamp(cell.y, 0, std::max(0, list.Rows() - 1))};
    SendSense();
    const bool fromOutside = fOrientation == kByRows ? fDragStart.y < 0 : fDragStart.x < 0;
    SetDropCursor(fromOutside ? uint32_t(kResultCopy) : fAcceptKind);
    ShowIndicator(fTarget, fOrientation == kByRows ? kIndicatorHorizontal : kIndicatorVertical);
}

bool CListDragDropHelper::DropWouldChangeNothing() const
{
    if (!IsDragFromThisList() || fCopy || ShiftHeld())
        return false;
    const LDrop* drag = CurrentDrag();
    if (drag && drag->IsCopyOnly())
        return false;
    const int32_t start = fOrientation == kByRows ? fDragStart.y : fDragStart.x;
    const int32_t at = fOrientation == kByRows ? fDropPosition.y : fDropPosition.x;
    return at == start || at == start + 1;
}

uint32_t CListDragDropHelper::Drop()
{
    const LListPane& list = *List();
    const CLPoint at = fDropPosition;
    HideIndicator();
    const bool inRange = fOrientation == kByRows
                             ? at.x >= 0 && at.x < std::max(list.Columns(), 1) && at.y >= 0 && at.y <= list.Rows()
                             : at.y >= 0 && at.y < std::max(list.Rows(), 1) && at.x >= 0 && at.x <= list.Columns();
    if (!inRange || DropWouldChangeNothing())
        return kNothing;
    fResultKind = DropEffect();
    return kDropped;
}

CLPoint CListDragDropHelper::PosAfterRemoval(const CLPoint& position, const LRegion& selection)
{
    const auto selected = [&](int32_t x, int32_t y) { return selection.Intersects({x, y, x + 1, y + 1}); };
    if (selected(position.x, position.y) || selected(position.x - 1, position.y) ||
        selected(position.x, position.y - 1))
        return {-1, -1};
    CLPoint result = position;
    CCellRangeIter cells(selection, CCellRangeIter::Order::Rows, CCellRangeIter::Direction::Forward);
    const CLPoint start = position;
    for (CLPoint cell; cells.Next(cell);) {
        if (cell.x < start.x && cell.y == start.y)
            --result.x;
        if (cell.y < start.y && cell.x == start.x)
            --result.y;
    }
    return result;
}

LRegion CListDragDropHelper::IndicatorRegion() const
{
    const LListPane& list = *List();
    if (fDropPosition.x < 0 && fDropPosition.y < 0)
        return {};
    const CLRect cell = list.CellRect(fDropPosition);
    const CLRect& pane = list.Rect();
    LRegion band;
    switch (fIndicatorKind) {
    case kIndicatorHorizontal:
        band = LRegion(CLRect{cell.left, cell.top - kBarHalf, cell.right, cell.top + kBarHalf});
        break;
    case kIndicatorVertical:
        band = LRegion(CLRect{cell.left - kBarHalf, cell.top, cell.left + kBarHalf, cell.bottom});
        break;
    case kIndicatorRow:
        return LPane::RingRegion({pane.left, cell.top, pane.right, cell.bottom}, false, kFrameWidth);
    case kIndicatorColumn:
        return LPane::RingRegion({cell.left, pane.top, cell.right, pane.bottom}, false, kFrameWidth);
    default:
        return LPane::RingRegion(cell, false, kFrameWidth);
    }
    band.Intersect(LRegion(pane));
    return band;
}

void CListDragDropHelper::ShowIndicator(const CLPoint& position, uint32_t kind)
{
    LListPane& list = *List();
    if (!fIndicatorShown || position != fDropPosition || kind != fIndicatorKind) {
        const LRegion old = fIndicatorShown ? IndicatorRegion() : LRegion();
        fDropPosition = position;
        fIndicatorKind = kind;
        fIndicatorShown = true;
        LRegion area = old;
        area.Union(IndicatorRegion());
        list.Invalidate(area, area);
    }
    list.UpdateNow();
}

void CListDragDropHelper::HideIndicator()
{
    if (fIndicatorShown) {
        const LRegion area = IndicatorRegion();
        List()->Invalidate(area, area);
    }
    fIndicatorShown = false;
    SetIndicatorActive(false);
}

void CListDragDropHelper::DrawIndicator(LPortState& port) const
{
    if (!fIndicatorShown)
        return;
    CColorRef colour;
    CColor::AssignById(colour, kIndicatorColourId);
    LFillRegionOp(IndicatorRegion(), colour).Draw(port);
}
