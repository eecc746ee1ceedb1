#pragma once
#include "foundation/geometry/CLPoint.h"

class LCellGrid;
class LPane;

// Visits one cell of a cell grid through whichever pane stands for it: the cell's live pane, or
// the prototype placed over the cell when it has none. Subclasses override Visit to act on the
// cell; Offset moves a point from the pane's position to the cell's.
class CCellIter {
public:
    // With `lookUpOnly` the pane is the cell's live pane when it has one. Without it a cell that
    // is neither the working nor the focus cell is first given a live pane, which stays bound in
    // the pool while the working slot keeps the cell it held before.
    CCellIter(LCellGrid& grid, const CLPoint& cell, bool lookUpOnly);
    virtual ~CCellIter() = default;
    CCellIter(const CCellIter&) = delete;
    CCellIter& operator=(const CCellIter&) = delete;

    LCellGrid& Grid() const { return fGrid; }
    const CLPoint& Cell() const { return fCell; }
    // The pane standing for the cell; null when the grid makes no panes.
    LPane* Pane() const { return fPane; }
    // The cell's top-left minus the pane's top-left; (0, 0) for a live pane.
    const CLPoint& Offset() const { return fOffset; }
    bool IsLive() const { return fLive; }

    // Calls Visit when a pane stands for the cell; false when none does.
    bool Run();

protected:
    virtual void Visit(LPane& pane);

private:
    LCellGrid& fGrid;
    CLPoint fCell;
    LPane* fPane = nullptr;
    CLPoint fOffset{0, 0};
    bool fLive = false;
};
