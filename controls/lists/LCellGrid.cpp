#include "controls/lists/LCellGrid.h"
#include "controls/lists/LCellFrame.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>

namespace {

constexpr int32_t kSelectedColourId = 3;

// Batches the invalidations of one pass of the grid; the scope ends them at once.
class BatchScope {
public:
    explicit BatchScope(LCellGrid& grid) : fGrid(grid), fOpened(!grid.InBatch()) { fGrid.BeginBatch(); }
    ~BatchScope()
    {
        if (fOpened)
            fGrid.EndBatch();
    }
    BatchScope(const BatchScope&) = delete;
    BatchScope& operator=(const BatchScope&) = delete;

private:
    LCellGrid& fGrid;
    bool fOpened;
};

} // namespace

LCellGrid::LCellGrid(LPane* parent, uint32_t selectionMode, bool keepSelection, bool liveCells)
    : LListPane(parent, selectionMode), fKeepSelection(keepSelection), fLive(liveCells)
{
}

LCellGrid::~LCellGrid()
{
    // The panes go without redrawing or rebinding anything.
    SetFlagBits(kPaneShown, false);
    fPool.clear();
    fPrototype.reset();
    fBatch.reset();
    fFocus.pane.reset();
    fWorking.pane.reset();
}

void LCellGrid::SetBackground(const CColorRef& colour)
{
    fBackground = colour;
    SetFlagBits(kPaneOpaque, bool(colour));
}

LPane* LCellGrid::PrototypeCell()
{
    if (fPrototype)
        return fPrototype.get();
    fPrototype = NewPane();
    if (fPrototype) {
        LPaneContext context = LPaneContext::FromPane(*this);
        SetCellSize(fPrototype->PrefWidth(&context, 0), fPrototype->PrefHeight(&context, 0));
        fPrototype->SetRect(CellRect({0, 0}));
    }
    return fPrototype.get();
}

void LCellGrid::ConfigureCell(LPane&) {}

void LCellGrid::ConfigureCellBackground(LPane& pane, const CLPoint&, bool selected)
{
    auto* frame = dynamic_cast<LFrame*>(&pane);
    if (!frame)
        return;
    frame->SetBackground(selected ? CColorRef(CColor::FromId(kSelectedColourId)) : fBackground);
}

int32_t LCellGrid::CellSizePolicy(CLPoint&)
{
    return 0;
}

void LCellGrid::UpdateCell(const CLPoint& cell)
{
    if (!InGrid(cell))
        return;
    if (CellSlot* slot = SlotOf(cell); slot && slot->pane) {
        (void)FillCell(*slot->pane, cell);
        return;
    }
    // No pane holds the cell now: the next pass fills one for it.
    InvalidateCells(LRegion(CellRect(cell)));
}

void LCellGrid::UpdateAllCells()
{
    BatchScope batch(*this);
    for (int32_t row = 0; row < Rows(); ++row) {
        for (int32_t column = 0; column < Columns(); ++column)
            UpdateCell({column, row});
    }
}

// ---- batches and the context

void LCellGrid::BeginBatch()
{
    if (fBatch)
        return;
    auto batch = std::make_unique<LInvalCache>();
    GetContext(batch->context);
    fBatch = std::move(batch);
}

void LCellGrid::EndBatch()
{
    std::unique_ptr<LInvalCache> batch = std::move(fBatch);
    LRegion update;
    LRegion erase;
    if (batch && batch->Take(update, erase))
        LListPane::Invalidate(update, erase);
}

void LCellGrid::GetContext(LPaneContext& context) const
{
    if (fBatch) {
        context = fBatch->context;
        return;
    }
    LListPane::GetContext(context);
    if (fBackground)
        context.background = fBackground;
}

void LCellGrid::Invalidate(const LRegion& update, const LRegion& erase)
{
    if (fBatch && HasFlags(kPaneShown | kPaneHostShown)) {
        fBatch->Add(update, erase);
        return;
    }
    LListPane::Invalidate(update, erase);
}

void LCellGrid::InvalidateCells(const LRegion& region)
{
    LRegion area = region;
    area.Intersect(LRegion(Rect()));
    if (area.IsEmpty())
        return;
    // With a background the cells paint their whole area: no erase.
    Invalidate(area, fBackground ? LRegion() : area);
}

bool LCellGrid::CoversCells() const
{
    return fBackground && !fLive;
}

// ---- drawing

void LCellGrid::DrawSelf(LPortState& port) const
{
    // Drawing binds recycled panes to the cells it reaches: bookkeeping, not a visible change.
    auto& self = const_cast<LCellGrid&>(*this);
    BatchScope batch(self);
    LListPane::DrawSelf(port);
}

void LCellGrid::DrawCell(LPortState& port, const CLPoint& cell, const CLRect& rect) const
{
    auto& self = const_cast<LCellGrid&>(*this);
    if (InGrid(cell)) {
        if (CellSlot* slot = self.SlotOf(cell); slot && slot->pane) {
            if (slot->pane->HasFlags(kPaneShown | kPaneHostShown))
                slot->pane->DrawSelf(port);
            else
                FillBackground(port, rect);
            return;
        }
        if (fLive) {
            self.DrawLiveCell(port, cell, rect);
            return;
        }
        if (self.StampCell(port, cell))
            return;
    }
    FillBackground(port, rect);
}

void LCellGrid::DrawLiveCell(LPortState& port, const CLPoint& cell, const CLRect& rect)
{
    BindCurrentCell(cell);
    LPane* pane = fWorking.pane.get();
    if (!fWorking.IsFree() && pane && pane->HasFlags(kPaneShown | kPaneHostShown)) {
        // The pane keeps the cell: it moves into the pool and a spare takes the working place.
        EnsureSpare();
        SwapWithPool(0, fWorking);
        pane->DrawSelf(port);
        return;
    }
    fWorking.cell.x = -1;
    FillBackground(port, rect);
}

bool LCellGrid::StampCell(LPortState& port, const CLPoint& cell)
{
    LPane* prototype = PrototypeCell();
    if (!prototype || !FillCell(*prototype, cell))
        return false;
    ConfigureCellBackground(*prototype, cell, Selection().Contains(cell));
    prototype->SetRect(CellRect(cell));
    auto* frame = dynamic_cast<LCellFrame*>(prototype);
    if (frame)
        frame->BeginCache();
    prototype->SetState(HasFlags(kPaneEnabled | kPaneHostActive) ? kEventActivate : kEventDeactivate);
    ShowCellInWindow(*prototype);
    prototype->DrawSelf(port);
    HideCellFromWindow(*prototype);
    if (frame)
        frame->EndCache();
    return true;
}

void LCellGrid::FillBackground(LPortState& port, const CLRect& rect) const
{
    if (fBackground)
        LFillRegionOp(LRegion(rect), fBackground).Draw(port);
}

// ---- sizes and geometry

int32_t LCellGrid::PrefWidth(LPaneContext* context, int32_t hint)
{
    if (!fPrototype)
        return CellWidth();
    ConfigureCell(*fPrototype);
    return fPrototype->PrefWidth(context, hint);
}

int32_t LCellGrid::PrefHeight(LPaneContext* context, int32_t hint)
{
    if (!fPrototype)
        return CellHeight();
    ConfigureCell(*fPrototype);
    return fPrototype->PrefHeight(context, hint);
}

void LCellGrid::RectChanged(const CLRect& old)
{
    if (old.left == Rect().left && old.top == Rect().top)
        ForEachLivePane([](LPane& pane, int32_t event) { pane.SetState(event); }, kEventMoved);
    else
        PlaceLivePanes();
    LListPane::RectChanged(old);
}

void LCellGrid::Scrolled()
{
    PlaceLivePanes();
}

void LCellGrid::CellSizeChanged(int32_t, int32_t)
{
    if (fPrototype)
        fPrototype->SetRect(CellRect({0, 0}));
    PlaceLivePanes();
    if (fLive)
        return;
    LRegion area(Rect());
    auto cut = [&area](const CellSlot& slot) {
        if (!slot.IsFree() && slot.pane)
            area.Subtract(LRegion(slot.pane->Rect()));
    };
    cut(fWorking);
    cut(fFocus);
    for (const SlotPtr& slot : fPool)
        cut(*slot);
    InvalidateCells(area);
}

LPane* LCellGrid::FocusTarget()
{
    LPane* target = LListPane::FocusTarget();
    if (target == this && !fFocus.IsFree() && fFocus.pane) {
        if (LPane* inner = fFocus.pane->FocusTarget())
            return inner;
    }
    return target;
}

// ---- selection and counts

void LCellGrid::SelectionChanged(const LRegion& changed, const LRegion&)
{
    if (!Selection().IsEmpty() && !fFocus.IsFree() && !(fKeepSelection && Selection().Contains(fFocus.cell)))
        DropFocusCell();
    auto configure = [&](CellSlot& slot) {
        if (!slot.IsFree() && slot.pane && changed.Contains(slot.cell))
            ConfigureCellBackground(*slot.pane, slot.cell, Selection().Contains(slot.cell));
    };
    configure(fWorking);
    configure(fFocus);
    for (SlotPtr& slot : fPool)
        configure(*slot);
}

void LCellGrid::CellsShifted(int32_t axis, int32_t index, int32_t count)
{
    BatchScope batch(*this);
    auto shift = [&](CellSlot& slot) {
        if (slot.IsFree())
            return;
        int32_t& at = axis == 0 ? slot.cell.x : slot.cell.y;
        if (at < index)
            return;
        if (at + count < index) {
            // Its cell was removed: the pane is told while its cell still names the one it showed.
            if (slot.pane)
                slot.pane->SetState(kEventUnfocus);
            BindPane(slot, {-1, -1});
            return;
        }
        at += count;
        if (slot.pane)
            slot.pane->SetRect(CellRect(slot.cell));
    };
    shift(fWorking);
    shift(fFocus);
    for (SlotPtr& slot : fPool)
        shift(*slot);
    std::stable_sort(fPool.begin(), fPool.end(), [](const SlotPtr& a, const SlotPtr& b) {
        return a->cell.y != b->cell.y ? a->cell.y < b->cell.y : a->cell.x < b->cell.x;
    });
    // One spare stays.
    size_t firstFree = 0;
    while (firstFree < fPool.size() && fPool[firstFree]->IsFree())
        ++firstFree;
    if (firstFree > 1)
        fPool.erase(fPool.begin() + 1, fPool.begin() + ptrdiff_t(firstFree));

    const int32_t end = axis == 0 ? Columns() : Rows();
    const int32_t across = axis == 0 ? Rows() : Columns();
    for (int32_t i = std::max(index, 0); i < end; ++i) {
        for (int32_t j = 0; j < across; ++j)
            UpdateCell(axis == 0 ? CLPoint{i, j} : CLPoint{j, i});
    }
}
