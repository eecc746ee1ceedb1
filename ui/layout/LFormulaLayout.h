#pragma once
#include "ui/layout/LFormula.h"
#include "ui/layout/LLayoutTarget.h"

// The formula engine of one layout step of a frame: adds the built-ins that read and place
// panes ("sys", "pp", "shown", "wp", "hp", "w", "h", "l", "t", "r", "b") and starts with the
// process-wide prelude's definitions.
class LFormulaLayout : public LFormula {
public:
    LFormulaLayout(LPaneContext* context, const LLayoutPaneList* children);

    // Pane 0 of the built-ins; the frame reads and sets it between runs.
    const CLRect& LayoutRect() const { return fTarget.LayoutRect(); }
    void SetLayoutRect(const CLRect& rect) { fTarget.SetLayoutRect(rect); }

private:
    int32_t Sys();
    int32_t PlacePane();
    int32_t Shown();
    int32_t PrefWidth();
    int32_t PrefHeight();
    int32_t Width();
    int32_t Height();
    int32_t Left();
    int32_t Top();
    int32_t Right();
    int32_t Bottom();

    LLayoutTarget fTarget;
};
