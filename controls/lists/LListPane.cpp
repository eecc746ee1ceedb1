#include "controls/lists/LListPane.h"
#include "ui/LTimer.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>
#include <climits>

const char* LListPane::msgChange = "LListPane_Change";
const char* LListPane::msgSelChange = "LListPane_SelChange";
const char* LListPane::msgClicked = "LListPane_Clicked";

namespace {

int32_t PaneSize(int64_t size)
{
    return int32_t(std::clamp<int64_t>(size, INT32_MIN, INT32_MAX));
}

// Last origin an axis may scroll to: the cells that do not fit, or every cell but the last
// when one cell is wider than the pane.
int32_t LastOrigin(int32_t count, int32_t paneSize, int32_t cellSize)
{
    if (cellSize <= paneSize)
        return std::max(0, count - paneSize / cellSize);
    return std::max(count, 1) - 1;
}

int32_t ClampAxis(int32_t delta, int32_t origin, int32_t last)
{
    delta = std::min(delta, std::max(0, last - origin));
    return std::max(delta, -std::max(0, origin));
}

// The part of a cell region along one axis between first (included) and last (excluded).
LRegion Slice(const LRegion& cells, int32_t axis, int32_t first, int32_t last)
{
    CLRect band = axis == 0 ? CLRect{first, INT32_MIN / 2, last, INT32_MAX / 2}
                            : CLRect{INT32_MIN / 2, first, INT32_MAX / 2, last};
    LRegion part = cells;
    part.Intersect(LRegion(band));
    return part;
}

} // namespace

LListPane::LListPane(LPane* parent, uint32_t selectionMode) : LPane(parent, parent), fSelModel(selectionMode) {}

LListPane::~LListPane()
{
    fAutoScroll.reset();
}

// ---- geometry

CLPoint LListPane::CellAt(const CLPoint& point) const
{
    return {(point.x - Rect().left) / fCellWidth + fOrigin.x, (point.y - Rect().top) / fCellHeight + fOrigin.y};
}

CLPoint LListPane::GapAt(const CLPoint& point) const
{
    return {(point.x - Rect().left + fCellWidth / 2) / fCellWidth + fOrigin.x,
            (point.y - Rect().top + fCellHeight / 2) / fCellHeight + fOrigin.y};
}

CLRect LListPane::CellRect(const CLPoint& cell) const
{
    const int32_t left = Rect().left + (cell.x - fOrigin.x) * fCellWidth;
    const int32_t top = Rect().top + (cell.y - fOrigin.y) * fCellHeight;
    return {left, top, left + fCellWidth, top + fCellHeight};
}

int32_t LListPane::FullColumns() const
{
    return std::max(0, PaneSize(Rect().Width())) / fCellWidth;
}

int32_t LListPane::FullRows() const
{
    return std::max(0, PaneSize(Rect().Height())) / fCellHeight;
}

int32_t LListPane::VisibleRows() const
{
    return (PaneSize(Rect().Height()) - 1 + fCellHeight) / fCellHeight;
}

int32_t LListPane::MaxOriginColumn() const
{
    return std::max(0, fColumns - FullColumns());
}

int32_t LListPane::MaxOriginRow() const
{
    return std::max(0, fRows - FullRows());
}

CLRect LListPane::ShownCells() const
{
    const int32_t width = std::max(0, PaneSize(Rect().Width()));
    const int32_t height = std::max(0, PaneSize(Rect().Height()));
    return {fOrigin.x, fOrigin.y, fOrigin.x + (width + fCellWidth - 1) / fCellWidth,
            fOrigin.y + (height + fCellHeight - 1) / fCellHeight};
}

// ---- scrolling

CLPoint LListPane::ClampScrollDelta(const CLPoint& delta) const
{
    const int32_t lastColumn = LastOrigin(fColumns, PaneSize(Rect().Width()), fCellWidth);
    const int32_t lastRow = LastOrigin(fRows, PaneSize(Rect().Height()), fCellHeight);
    return {ClampAxis(delta.x, fOrigin.x, lastColumn), ClampAxis(delta.y, fOrigin.y, lastRow)};
}

LRegion LListPane::DrawnArea(const CLPoint& origin) const
{
    const CLRect& r = Rect();
    CLRect area{r.left - origin.x * fCellWidth, r.top - origin.y * fCellHeight,
                r.left + (fColumns - origin.x) * fCellWidth, r.top + (fRows - origin.y) * fCellHeight};
    area.Intersect(r);
    return LRegion(area);
}

void LListPane::ScrollTo(const CLPoint& origin)
{
    if (origin == fOrigin)
        return;
    LRegion repaint = DrawnArea(fOrigin);
    repaint.Union(DrawnArea(origin));
    fOrigin = origin;
    InvalidateCells(repaint);
    Scrolled();
    Report(msgChange);
}

void LListPane::ScrollIntoView(const CLPoint& cell)
{
    const int32_t columns = FullColumns();
    const int32_t rows = FullRows();
    if (fOrigin.x <= cell.x && cell.x < fOrigin.x + columns && fOrigin.y <= cell.y && cell.y < fOrigin.y + rows)
        return;
    ScrollTo({std::max(0, std::min(cell.x - columns / 2, fColumns - columns)),
              std::max(0, std::min(cell.y - rows / 2, fRows - rows))});
}

void LListPane::RevealSelection()
{
    if (fSelection.IsEmpty())
        return;
    const CLRect full{fOrigin.x, fOrigin.y, fOrigin.x + FullColumns(), fOrigin.y + FullRows()};
    if (fSelection.Intersects(full))
        return;
    const CLRect bounds = fSelection.GetBounds();
    ScrollIntoView({bounds.left, bounds.top});
}

void LListPane::SetCellSize(int32_t width, int32_t height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == fCellWidth && height == fCellHeight)
        return;
    fCellWidth = width;
    fCellHeight = height;
    CellSizeChanged(width, height);
    Report(msgChange);
}

// ---- counts

void LListPane::InsertColumns(int32_t index, int32_t count)
{
    InsertCells(0, index, count);
}

void LListPane::InsertRows(int32_t index, int32_t count)
{
    InsertCells(1, index, count);
}

void LListPane::InsertCells(int32_t axis, int32_t index, int32_t count)
{
    int32_t& total = axis == 0 ? fColumns : fRows;
    index = std::max(index, 0);
    if (count <= 0 || index > INT32_MAX - count)
        return;
    LRegion moved = Slice(fSelection, axis, index, total);
    moved.Offset(axis == 0 ? count : 0, axis == 0 ? 0 : count);
    LRegion selection = Slice(fSelection, axis, 0, index);
    selection.Union(moved);

    // Inserting past the end extends the grid to index + count.
    const int32_t added = count + (index > total ? index - total : 0);
    total += added;
    CellsShifted(axis, index, added);

    CLRect repaint = Rect();
    if (axis == 0)
        repaint.left += std::max(0, index - fOrigin.x) * fCellWidth;
    else
        repaint.top += std::max(0, index - fOrigin.y) * fCellHeight;
    InvalidateCells(LRegion(repaint));
    SetSelection(selection);
    Report(msgChange);
}

void LListPane::DeleteRows(int32_t index, int32_t count)
{
    index = std::max(index, 0);
    if (count <= 0 || index >= fRows)
        return;
    const int32_t removed = std::min(fRows - index, count);
    LRegion moved = Slice(fSelection, 1, index + removed, fRows);
    moved.Offset(0, -removed);
    LRegion selection = Slice(fSelection, 1, 0, index);
    selection.Union(moved);
    fRows -= removed;

    CLPoint origin = fOrigin;
    CLRect repaint = Rect();
    if (fRows <= fOrigin.y)
        origin.y = std::max(fRows, 1) - 1;
    else
        repaint.top += std::max(0, index - fOrigin.y) * fCellHeight;
    CellsShifted(1, index, -removed);
    InvalidateCells(LRegion(repaint));
    SetSelection(selection);
    if (origin == fOrigin)
        Report(msgChange);
    else
        ScrollTo(origin);
}

// ---- selection

void LListPane::ClearSelection()
{
    SetSelection(LRegion());
}

void LListPane::SelectCell(const CLPoint& cell)
{
    SetSelection(LRegion(CLRect{cell.x, cell.y, cell.x + 1, cell.y + 1}));
}

void LListPane::AddToSelection(const CLPoint& cell)
{
    LRegion selection = fSelection;
    selection.Union(LRegion(CLRect{cell.x, cell.y, cell.x + 1, cell.y + 1}));
    SetSelection(selection);
}

bool LListPane::IsSingleCellRegion(const LRegion& region)
{
    const CLRect bounds = region.GetBounds();
    return bounds.Width() == 1 && bounds.Height() == 1;
}

void LListPane::ApplySelection(const LRegion& region)
{
    LRegion clipped = region;
    clipped.Intersect(LRegion(GridBounds()));
    if (!clipped.Equals(fSelection))
        SetSelection(clipped);
}

void LListPane::SetSelection(const LRegion& region)
{
    LRegion clipped = region;
    clipped.Intersect(LRegion(GridBounds()));
    LRegion changed = clipped;
    changed.Xor(fSelection);
    if (changed.IsEmpty())
        return;
    const LRegion old = fSelection;
    fSelection = clipped;
    SelectionChanged(changed, old);

    // Each changed cell that shows becomes a pixel rectangle; a band of cells maps as one.
    LRegion shown = changed;
    shown.Intersect(LRegion(ShownCells()));
    LRectList cells;
    shown.GetRects(cells);
    LRegion repaint;
    for (uint32_t i = 0; i < cells.Count(); ++i) {
        const CLRect& span = cells[i];
        CLRect pixels = CellRect({span.left, span.top});
        pixels.right = pixels.left + int32_t(span.Width()) * fCellWidth;
        pixels.bottom = pixels.top + int32_t(span.Height()) * fCellHeight;
        repaint.Union(LRegion(pixels));
    }
    InvalidateCells(repaint);
    Report(msgSelChange);
}

// ---- hooks

void LListPane::SelectionChanged(const LRegion&, const LRegion&) {}
void LListPane::CellsShifted(int32_t, int32_t, int32_t) {}
bool LListPane::CoversCells() const
{
    return true;
}
void LListPane::Scrolled() {}

void LListPane::InvalidateCells(const LRegion& region)
{
    Invalidate(region, region);
}

void LListPane::CellSizeChanged(int32_t, int32_t)
{
    InvalidateCells(LRegion(Rect()));
}

void LListPane::Report(const char* type)
{
    LMessage::Send(LMessage(type, this, Parent()));
}

// ---- pane operations

void LListPane::GetContext(LPaneContext& context) const
{
    LPane::GetContext(context);
    CLRect inWindow = Rect();
    inWindow.Offset(context.originX, context.originY);
    context.clip.Intersect(LRegion(inWindow));
}

void LListPane::RectChanged(const CLRect& old)
{
    // A pane that grew shows the cells it now has room for: rows scrolled off the top while it
    // was smaller come back rather than leave empty space after the last row.
    const CLPoint last{LastOrigin(fColumns, PaneSize(Rect().Width()), fCellWidth),
                       LastOrigin(fRows, PaneSize(Rect().Height()), fCellHeight)};
    if (fOrigin.x > last.x || fOrigin.y > last.y)
        ScrollTo({std::min(fOrigin.x, last.x), std::min(fOrigin.y, last.y)});
    if (!HasFlags(kPaneShown | kPaneHostShown) || !Host())
        return;
    LRegion area(old);
    if (old.left == Rect().left && old.top == Rect().top)
        area.Xor(LRegion(Rect()));
    else
        area.Union(LRegion(Rect()));
    Invalidate(area, area);
}

int32_t LListPane::PrefWidth(LPaneContext*, int32_t)
{
    return fCellWidth;
}

int32_t LListPane::PrefHeight(LPaneContext*, int32_t)
{
    return fCellHeight;
}
