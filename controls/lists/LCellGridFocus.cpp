// Focus, keys, hit tests and state events of the cell grid.
#include "controls/lists/LCellGrid.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr uint8_t kTabCharacter = 9;

bool IsInside(const LHandler* handler, const LPane* pane)
{
    return handler && pane && LHandler::IsOnChain(nullptr, handler, pane);
}

} // namespace

void LCellGrid::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LKeyboard::msgDown) && (HandleTabKey(msg) || HandleArrowKey(msg))) {
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, kMouseClick) && msg.subject == LMouse::Current() && !InGrid(CellAt(PointerPos())))
        SetState(kEventUnfocus);
    if (StrEqual(msg.type, msgReqFocus) && ReqFocusFromCell(result, msg))
        return;
    if (StrEqual(msg.type, msgConstructing)) {
        LMessage::Clear(result);
        return;
    }
    LListPane::HandleMessage(result, msg);
}

// A cell pane asks for the focus: it becomes the focus slot's pane.
bool LCellGrid::ReqFocusFromCell(LMessage& result, const LMessage& msg)
{
    auto* pane = dynamic_cast<LPane*>(msg.subject);
    if (!pane || pane == this)
        return false;
    if (pane->GetNativeWindow() != GetNativeWindow()) {
        LMessage::Redirect(result, msg, Parent());
        return true;
    }
    const bool isWorking = pane == fWorking.pane.get() && !fWorking.IsFree();
    int32_t pooled = -1;
    for (size_t i = 0; i < fPool.size(); ++i) {
        if (fPool[i]->pane.get() == pane && !fPool[i]->IsFree())
            pooled = int32_t(i);
    }
    const bool isFocus = pane == fFocus.pane.get() && !fFocus.IsFree();
    if (!isWorking && pooled < 0 && !isFocus)
        return false;
    if (!isFocus) {
        if (fFocus.pane)
            fFocus.pane->SetState(kEventUnfocus);
        if (isWorking) {
            std::swap(fWorking.cell, fFocus.cell);
            std::swap(fWorking.pane, fFocus.pane);
        } else {
            SwapWithPool(size_t(pooled), fFocus);
        }
    }
    if (!(fKeepSelection && Selection().Contains(fFocus.cell)))
        ClearSelection();
    if (HasFlags(kPaneFocused) && fFocus.pane)
        fFocus.pane->SetState(kEventFocus);
    UpdateFocusShown();
    LMessage::Make(result, msgReqFocus, this, Parent());
    return true;
}

LPane* LCellGrid::HitTest(const CLPoint& point)
{
    LPane* hit = LListPane::HitTest(point);
    if (hit != this)
        return hit;
    const CLPoint cell = CellAt(point);
    if (!InGrid(cell))
        return hit;
    return LiveHitTest(point, cell);
}

LPane* LCellGrid::LiveHitTest(const CLPoint& point, const CLPoint& cell)
{
    const LMouse* mouse = LMouse::Current();
    const LHandler* capture = mouse ? mouse->Capture() : nullptr;
    const bool captureInWorking = IsInside(capture, fWorking.pane.get());
    const bool isFocusCell = !fFocus.IsFree() && fFocus.cell == cell;
    if (!captureInWorking && !IsInside(capture, fFocus.pane.get()) && !isFocusCell)
        BindCurrentCell(cell);

    LPane* pane = nullptr;
    if (isFocusCell) {
        pane = fFocus.pane.get();
        LPane* hit = pane ? pane->HitTest(point) : nullptr;
        if (!captureInWorking)
            BindPane(fWorking, {-1, -1});
        return hit ? hit : this;
    }
    if (!fWorking.IsFree() && fWorking.cell == cell) {
        pane = fWorking.pane.get();
    } else if (const int32_t pooled = FindPoolSlot(cell); pooled >= 0) {
        pane = fPool[size_t(pooled)]->pane.get();
    } else {
        EnsureSpare();
        SlotPtr slot = std::move(fPool.front());
        fPool.erase(fPool.begin());
        BindPane(*slot, cell);
        pane = slot->pane.get();
        InsertIntoPool(std::move(slot));
    }
    LPane* hit = pane ? pane->HitTest(point) : nullptr;
    return hit ? hit : this;
}

// ---- arrow keys

bool LCellGrid::HandleArrowKey(const LMessage& msg)
{
    const LKeyboard* keyboard = LKeyboard::Current();
    if (!keyboard || msg.subject != keyboard || fFocus.IsFree() || !fFocus.pane)
        return false;
    const int32_t key = keyboard->GetNavKey();
    if (key < 1 || key > 4)
        return false;
    const bool horizontal = key <= 2;
    const int32_t step = (key == 1 || key == 3) ? -1 : 1;
    if (horizontal && Columns() == 1) {
        if (CellWidth() < CellHeight())
            return false;
        fFocus.pane->AdvanceFocus(step < 0 ? LFocusDir::Backward : LFocusDir::Forward, LFocusRestart::No);
        return true;
    }
    if (!horizontal && Rows() == 1) {
        if (CellHeight() < CellWidth())
            return false;
        fFocus.pane->AdvanceFocus(step < 0 ? LFocusDir::Backward : LFocusDir::Forward, LFocusRestart::No);
        return true;
    }
    const CLPoint start = fFocus.cell;
    auto next = [&](const CLPoint& from) {
        CLPoint to = from;
        int32_t& at = horizontal ? to.x : to.y;
        at = std::clamp(at + step, 0, std::max((horizontal ? Columns() : Rows()) - 1, 0));
        return to;
    };
    CLPoint target = next(start);
    if (target == start)
        return true;
    LPane* focusTarget = fFocus.pane->FocusTarget();
    if (!focusTarget)
        return true;
    const CLPoint origin = focusTarget == fFocus.pane.get() ? CLPoint{} : focusTarget->OriginIn(fFocus.pane.get());
    const CLPoint point{origin.x + int32_t(focusTarget->Rect().Width() / 2),
                        origin.y + int32_t(focusTarget->Rect().Height() / 2)};
    for (;;) {
        if (MoveFocusTo(target, point))
            return true;
        const CLPoint further = next(target);
        if (further == target) {
            MoveFocusTo(start, point);
            return true;
        }
        target = further;
    }
}

bool LCellGrid::MoveFocusTo(const CLPoint& target, const CLPoint& point)
{
    LPane* pane = BindForFocus(target);
    return pane && pane->FocusNearest({point.x + pane->Rect().left, point.y + pane->Rect().top});
}

LPane* LCellGrid::BindForFocus(const CLPoint& target)
{
    ReleaseCells();
    const CLPoint origin = Origin();
    CLPoint shown{std::min(std::max(origin.x, target.x - FullColumns() + 1), target.x),
                  std::min(std::max(origin.y, target.y - FullRows() + 1), target.y)};
    ScrollTo(shown);
    BindCurrentCell(target);
    return fWorking.IsFree() ? nullptr : fWorking.pane.get();
}

// ---- Tab through cells

bool LCellGrid::FocusFirstStopFrom(CLPoint from, LFocusDir dir)
{
    const int32_t columns = Columns();
    const int32_t step = dir == LFocusDir::Backward ? -1 : 1;
    for (int64_t at = int64_t(from.y) * columns + from.x; at >= 0 && at < int64_t(columns) * Rows(); at += step) {
        const CLPoint target{int32_t(at % columns), int32_t(at / columns)};
        LPane* pane = BindForFocus(target);
        if (!pane)
            continue;
        pane->AdvanceFocus(dir, LFocusRestart::Yes);
        CLPoint now;
        if (FocusCell(now) && now == target)
            return true;
    }
    return false;
}

bool LCellGrid::AdvanceFocus(LFocusDir dir, LFocusRestart restart)
{
    const LKeyboard* keyboard = LKeyboard::Current();
    const bool leaving = keyboard && fTabLeaving != 0 && keyboard->serial == fTabLeaving;
    if (fTabThroughCells && !leaving && restart == LFocusRestart::Yes && Columns() > 0 && Rows() > 0 &&
        IsEnabledAndShown()) {
        const bool backward = dir == LFocusDir::Backward;
        if (FocusFirstStopFrom(backward ? CLPoint{Columns() - 1, Rows() - 1} : CLPoint{0, 0}, dir))
            return true;
    }
    return LListPane::AdvanceFocus(dir, restart);
}

// A Tab that reaches the grid itself ran past the stops of its focus cell (a cell keeps the
// ones inside it), or came while the grid holds the focus with no cell.
bool LCellGrid::HandleTabKey(const LMessage& msg)
{
    const LKeyboard* keyboard = LKeyboard::Current();
    if (!fTabThroughCells || !keyboard || msg.subject != keyboard || keyboard->character != kTabCharacter ||
        keyboard->IsControl() || keyboard->IsCommand())
        return false;
    fTabLeaving = 0;
    const LFocusDir dir = keyboard->IsShift() ? LFocusDir::Backward : LFocusDir::Forward;
    const int32_t columns = std::max(Columns(), 1);
    CLPoint from;
    bool moved = false;
    if (FocusCell(from)) {
        const int64_t next = int64_t(from.y) * columns + from.x + (dir == LFocusDir::Backward ? -1 : 1);
        if (next >= 0 && next < int64_t(columns) * Rows())
            moved = FocusFirstStopFrom({int32_t(next % columns), int32_t(next / columns)}, dir);
    } else {
        moved = AdvanceFocus(dir, LFocusRestart::Yes) && FocusCell(from);
    }
    if (!moved)
        fTabLeaving = std::max<uint32_t>(keyboard->serial, 1);
    return moved;
}

// ---- state events

void LCellGrid::StateChanged(int32_t event)
{
    LListPane::StateChanged(event);
    if (event == kEventPrefsChanged) {
        PrefsChanged();
        return;
    }
    BeginBatch();
    PassStateToCells(event);
    EndBatch();
}

void LCellGrid::PassStateToCells(int32_t event)
{
    auto apply = [](LPane& pane, int32_t e) { pane.SetState(e); };
    const LPaneFlags flags = Flags();
    int32_t pass = -1;
    bool repaintStamps = false;
    switch (event) {
    case kEventShow:
    case kEventHostShow:
        pass = HasFlags(kPaneShown | kPaneHostShown) ? kEventHostShow : -1;
        break;
    case kEventHide:
        pass = HasFlags(kPaneHostShown) ? kEventHostHide : -1;
        break;
    case kEventHostHide:
        pass = HasFlags(kPaneShown) ? kEventHostHide : -1;
        break;
    case kEventEnable:
    case kEventActivate:
        pass = HasFlags(kPaneEnabled | kPaneHostActive) ? kEventActivate : -1;
        repaintStamps = true;
        break;
    case kEventDisable:
        pass = HasFlags(kPaneHostActive) ? kEventDeactivate : -1;
        repaintStamps = true;
        break;
    case kEventDeactivate:
        pass = HasFlags(kPaneEnabled) ? kEventDeactivate : -1;
        repaintStamps = true;
        break;
    case kEventTransparent:
        pass = (flags & kPaneInTransparent) ? -1 : kEventInTransparent;
        repaintStamps = true;
        break;
    case kEventNotTransparent:
    case kEventNotInTransparent:
        pass = (flags & (kPaneTransparent | kPaneInTransparent)) ? -1 : kEventNotInTransparent;
        repaintStamps = true;
        break;
    case kEventInTransparent:
        pass = (flags & kPaneTransparent) ? -1 : kEventInTransparent;
        repaintStamps = true;
        break;
    case kEventKeyWindow:
    case kEventNotKeyWindow:
        pass = event;
        repaintStamps = true;
        break;
    case kEventMoved:
        pass = kEventMoved;
        break;
    case kEventBackground:
        pass = fBackground ? -1 : kEventBackground;
        break;
    case kEventFocus:
        if (!fFocus.IsFree() && fFocus.pane)
            fFocus.pane->SetState(kEventFocus);
        break;
    case kEventUnfocus:
        DropFocusCell();
        break;
    default:
        break;
    }
    if (pass >= 0)
        ForEachLivePane(apply, pass);
    if (repaintStamps && !fLive)
        InvalidateCells(LRegion(Rect()));
}

void LCellGrid::PrefsChanged()
{
    ForEachLivePane([](LPane& pane, int32_t e) { pane.SetState(e); }, kEventPrefsChanged);
    if (fPrototype)
        fPrototype->SetState(kEventPrefsChanged);
    ReconfigureCells();
    InvalidateCells(LRegion(Rect()));
    CLPoint size{CellWidth(), CellHeight()};
    const int32_t policy = CellSizePolicy(size);
    if (policy < 5 && fPrototype) {
        LPaneContext context = LPaneContext::FromPane(*this);
        const int32_t w = fPrototype->PrefWidth(&context, 0);
        const int32_t h = fPrototype->PrefHeight(&context, 0);
        const int32_t paneW = int32_t(Rect().Width());
        const int32_t paneH = int32_t(Rect().Height());
        switch (policy) {
        case 1: size = {paneW, h}; break;
        case 2: size = {w, paneH}; break;
        case 3: size = {paneW, std::max(size.y, h)}; break;
        case 4: size = {std::max(size.x, w), paneH}; break;
        default:
            size.x = (Columns() == 1 && CellWidth() == paneW) ? size.x : w;
            size.y = (Rows() == 1 && CellHeight() == paneH) ? size.y : h;
            break;
        }
    }
    SetCellSize(size.x, size.y);
}
