#pragma once
#include "controls/lists/LListSelModel.h"
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/LRegion.h"
#include "ui/panes/LPane.h"

#include <cstdint>
#include <memory>

class LTimer;

// A grid of equal cells (columns by rows) scrolled in whole cells, with a selection the user
// makes by clicking and dragging. It draws nothing itself: a subclass draws each cell, or
// places live panes over the cells. It reports to its parent only by messages: the click
// climbs as "LListPane_Clicked", "LListPane_Change" follows a change of origin, cell size or
// counts, and "LListPane_SelChange" a change of selection.
class LListPane : public LPane {
public:
    static const char* msgChange;
    static const char* msgSelChange;
    static const char* msgClicked;

    // The parent frame is both parent handler and host.
    LListPane(LPane* parent, uint32_t selectionMode);
    ~LListPane() override;

    int32_t Columns() const { return fColumns; }
    int32_t Rows() const { return fRows; }
    CLPoint Origin() const { return fOrigin; }
    CLPoint ClickedCell() const { return fClicked; }
    int32_t CellWidth() const { return fCellWidth; }
    int32_t CellHeight() const { return fCellHeight; }
    const LRegion& Selection() const { return fSelection; }
    const LListSelModel& SelModel() const { return fSelModel; }
    bool IsAutoScrolling() const { return fAutoScroll != nullptr; }

    // Geometry from the pane rectangle, the origin and the cell size.
    CLPoint CellAt(const CLPoint& point) const;
    // The nearest cell boundary, for insertion marks.
    CLPoint GapAt(const CLPoint& point) const;
    CLRect CellRect(const CLPoint& cell) const;
    int32_t FullColumns() const;
    int32_t FullRows() const;
    // Rows at least partly shown.
    int32_t VisibleRows() const;
    int32_t MaxOriginColumn() const;
    int32_t MaxOriginRow() const;
    // The pointer in the coordinates of the pane's rectangle.
    CLPoint PointerPos() const;

    // Stores the origin as given (callers clamp) and repaints what moved.
    void ScrollTo(const CLPoint& origin);
    // Scrolls the cell into view, centred where it can be, when it is not fully shown.
    void ScrollIntoView(const CLPoint& cell);
    void RevealSelection();
    // Limits a scroll step so that the origin stays where the grid can be scrolled.
    CLPoint ClampScrollDelta(const CLPoint& delta) const;
    void SetCellSize(int32_t width, int32_t height);

    void InsertColumns(int32_t index, int32_t count);
    void InsertRows(int32_t index, int32_t count);
    void DeleteRows(int32_t index, int32_t count);

    void ClearSelection();
    void SelectCell(const CLPoint& cell);
    void AddToSelection(const CLPoint& cell);
    static bool IsSingleCellRegion(const LRegion& region);
    // Clips the region to the grid and applies it only when it differs from the selection.
    void ApplySelection(const LRegion& region);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void GetContext(LPaneContext& context) const override;
    void RectChanged(const CLRect& old) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;

    // Draws one cell; also called for cells past the counts, which show the background.
    virtual void DrawCell(LPortState& port, const CLPoint& cell, const CLRect& rect) const = 0;
    virtual void SetSelection(const LRegion& region);
    virtual void SelectionChanged(const LRegion& changed, const LRegion& old);
    // axis 0 columns, 1 rows; count positive for inserted cells, negative for removed ones.
    virtual void CellsShifted(int32_t axis, int32_t index, int32_t count);
    virtual bool CoversCells() const;
    virtual void Scrolled();
    virtual void InvalidateCells(const LRegion& region);
    virtual void CellSizeChanged(int32_t width, int32_t height);

protected:
    void Report(const char* type);
    // The cells at least partly shown: origin to origin + ceiling of pane size / cell size.
    CLRect ShownCells() const;
    CLRect GridBounds() const { return {0, 0, fColumns, fRows}; }

private:
    void InsertCells(int32_t axis, int32_t index, int32_t count);
    // The grid's drawn area under an origin, clipped to the pane rectangle.
    LRegion DrawnArea(const CLPoint& origin) const;
    void ClickCell(LMessage& result);
    void TrackPointer();
    void AutoScrollStep();
    CLPoint AutoScrollDelta(const CLPoint& pointer) const;
    CLPoint LimitToShown(const CLPoint& cell) const;
    void DragTo(const CLPoint& pointer);
    void StopAutoScroll();

    int32_t fColumns = 0;
    int32_t fRows = 0;
    CLPoint fOrigin;
    CLPoint fClicked{-1, -1};
    int32_t fCellWidth = 20;
    int32_t fCellHeight = 20;
    std::unique_ptr<LTimer> fAutoScroll;
    LRegion fSelection;
    LListSelModel fSelModel;
};
