// Slot bookkeeping of the cell grid: binding panes to cells and keeping the pool in order.
#include "controls/lists/LCellGrid.h"
#include "controls/lists/LCellFrame.h"

#include <algorithm>

namespace {

// Pool order: by row, then column; free slots ((-1, -1)) first.
bool Before(const CLPoint& a, const CLPoint& b)
{
    return a.y != b.y ? a.y < b.y : a.x < b.x;
}

} // namespace

std::unique_ptr<LPane> LCellGrid::NewPane()
{
    std::unique_ptr<LPane> pane = CreateCell();
    if (pane)
        ConfigureCell(*pane);
    return pane;
}

int32_t LCellGrid::FindPoolSlot(const CLPoint& cell) const
{
    const auto after = std::upper_bound(fPool.begin(), fPool.end(), cell,
                                        [](const CLPoint& c, const SlotPtr& slot) { return Before(c, slot->cell); });
    if (after == fPool.begin())
        return -1;
    const auto index = int32_t(after - fPool.begin()) - 1;
    return fPool[size_t(index)]->cell == cell ? index : -1;
}

void LCellGrid::InsertIntoPool(SlotPtr slot)
{
    if (!slot->pane)
        return; // a slot without a pane is not worth keeping
    if (slot->IsFree())
        slot->cell = {-1, -1};
    const auto at = std::upper_bound(fPool.begin(), fPool.end(), slot->cell,
                                     [](const CLPoint& c, const SlotPtr& s) { return Before(c, s->cell); });
    fPool.insert(at, std::move(slot));
}

void LCellGrid::SwapWithPool(size_t index, CellSlot& other)
{
    SlotPtr slot = std::move(fPool[index]);
    fPool.erase(fPool.begin() + ptrdiff_t(index));
    std::swap(slot->cell, other.cell);
    std::swap(slot->pane, other.pane);
    InsertIntoPool(std::move(slot));
}

LCellGrid::CellSlot* LCellGrid::SlotOf(const CLPoint& cell)
{
    if (!fWorking.IsFree() && fWorking.cell == cell)
        return &fWorking;
    if (!fFocus.IsFree() && fFocus.cell == cell)
        return &fFocus;
    const int32_t index = FindPoolSlot(cell);
    return index >= 0 ? fPool[size_t(index)].get() : nullptr;
}

void LCellGrid::EnsureSpare()
{
    if (!fPool.empty() && (fPool.front()->IsFree() || !fLive))
        return;
    auto spare = std::make_unique<CellSlot>();
    spare->pane = NewPane();
    fPool.insert(fPool.begin(), std::move(spare));
}

void LCellGrid::BindPane(CellSlot& slot, const CLPoint& cell)
{
    LPane* pane = slot.pane.get();
    slot.cell = {-1, -1};
    if (!pane)
        return;
    pane->SetState(kEventHostHide);
    if (!InGrid(cell) || !FillCell(*pane, cell))
        return;
    const CLRect rect = CellRect(cell);
    if (pane->Rect() == rect)
        pane->SetState(kEventMoved);
    else
        pane->SetRect(rect);
    ConfigureCellBackground(*pane, cell, Selection().Contains(cell));
    pane->SetState(HasFlags(kPaneEnabled | kPaneHostActive) ? kEventActivate : kEventDeactivate);
    pane->SetState(Flags() & (kPaneTransparent | kPaneInTransparent) ? kEventInTransparent : kEventNotInTransparent);
    pane->SetState(HasFlags(kPaneKeyWindow) ? kEventKeyWindow : kEventNotKeyWindow);
    if (HasFlags(kPaneShown | kPaneHostShown))
        ShowCellInWindow(*pane);
    slot.cell = cell;
}

void LCellGrid::BindCurrentCell(const CLPoint& cell)
{
    if (!fWorking.IsFree() && fWorking.cell == cell)
        return;
    const int32_t pooled = FindPoolSlot(cell);
    if (pooled >= 0 && !fPool[size_t(pooled)]->IsFree()) {
        SwapWithPool(size_t(pooled), fWorking);
        return;
    }
    EnsureSpare();
    LPane* leaving = fWorking.pane.get();
    SwapWithPool(0, fWorking);
    if (leaving)
        leaving->SetState(kEventUnfocus);
    if (!fWorking.pane)
        fWorking.pane = NewPane();
    else
        fWorking.pane->SetState(kEventHostHide);
    BindPane(fWorking, cell);
}

LPane* LCellGrid::LivePaneFor(const CLPoint& cell, bool lookUpOnly)
{
    if (!InGrid(cell))
        return nullptr;
    if (const CellSlot* slot = SlotOf(cell))
        return slot->pane.get();
    if (lookUpOnly)
        return nullptr;
    const CLPoint before = fWorking.cell;
    BindCurrentCell(cell);
    if (fWorking.IsFree() || fWorking.cell != cell)
        return nullptr; // FillCell had nothing for the cell
    // The working slot gets its old cell back; the new pane stays bound in the pool.
    if (const int32_t pooled = FindPoolSlot(before); pooled >= 0 && !fPool[size_t(pooled)]->IsFree()) {
        SwapWithPool(size_t(pooled), fWorking);
        const int32_t now = FindPoolSlot(cell);
        return now >= 0 ? fPool[size_t(now)]->pane.get() : nullptr;
    }
    return fWorking.pane.get();
}

void LCellGrid::ReleaseCells()
{
    if (fFocus.pane)
        fFocus.pane->SetState(kEventUnfocus);
    BindPane(fWorking, {-1, -1});
    BindPane(fFocus, {-1, -1});
    for (SlotPtr& slot : fPool)
        BindPane(*slot, {-1, -1});
    std::stable_sort(fPool.begin(), fPool.end(), [](const SlotPtr& a, const SlotPtr& b) { return Before(a->cell, b->cell); });
}

void LCellGrid::ReconfigureCells()
{
    ReleaseCells();
    for (LPane* pane : {fWorking.pane.get(), fFocus.pane.get(), fPrototype.get()}) {
        if (pane)
            ConfigureCell(*pane);
    }
    for (SlotPtr& slot : fPool) {
        if (slot->pane)
            ConfigureCell(*slot->pane);
    }
}

void LCellGrid::DropFocusCell()
{
    if (fFocus.IsFree() && !fFocus.pane)
        return;
    if (fFocus.pane)
        fFocus.pane->SetState(kEventUnfocus);
    // The focus slot goes into the pool for a spare, detached.
    BindPane(fFocus, {-1, -1});
    EnsureSpare();
    SwapWithPool(0, fFocus);
}

LPane* LCellGrid::FindCell(const LPane* pane, CLPoint* cell) const
{
    auto holds = [pane](const CellSlot& slot) {
        return !slot.IsFree() && slot.pane && LHandler::IsOnChain(nullptr, pane, slot.pane.get());
    };
    const CellSlot* found = nullptr;
    if (holds(fWorking))
        found = &fWorking;
    else if (holds(fFocus))
        found = &fFocus;
    for (size_t i = 0; !found && i < fPool.size(); ++i) {
        if (holds(*fPool[i]))
            found = fPool[i].get();
    }
    if (!found)
        return nullptr;
    if (cell)
        *cell = found->cell;
    return found->pane.get();
}

bool LCellGrid::FocusCell(CLPoint& cell) const
{
    cell = fFocus.cell;
    return !fFocus.IsFree();
}

void LCellGrid::PlaceLivePanes()
{
    auto place = [this](CellSlot& slot) {
        if (!slot.IsFree() && slot.pane)
            slot.pane->SetRect(CellRect(slot.cell));
    };
    place(fWorking);
    place(fFocus);
    for (SlotPtr& slot : fPool)
        place(*slot);
}

void LCellGrid::ForEachLivePane(void (*apply)(LPane&, int32_t), int32_t event)
{
    for (CellSlot* slot : {&fWorking, &fFocus}) {
        if (!slot->IsFree() && slot->pane)
            apply(*slot->pane, event);
    }
    for (SlotPtr& slot : fPool) {
        if (!slot->IsFree() && slot->pane)
            apply(*slot->pane, event);
    }
}
