#include "controls/lists/CCellIter.h"
#include "controls/lists/LCellGrid.h"

CCellIter::CCellIter(LCellGrid& grid, const CLPoint& cell, bool lookUpOnly) : fGrid(grid), fCell(cell)
{
    fPane = grid.LivePaneFor(cell, lookUpOnly);
    fLive = fPane != nullptr;
    if (fLive)
        return;
    fPane = grid.PrototypeCell();
    if (!fPane)
        return;
    const CLRect rect = grid.CellRect(cell);
    const CLRect at = fPane->Rect();
    fOffset = {rect.left - at.left, rect.top - at.top};
}

bool CCellIter::Run()
{
    if (!fPane)
        return false;
    Visit(*fPane);
    return true;
}

void CCellIter::Visit(LPane&) {}
