#pragma once
#include "controls/headers/CHeaderFrame.h"

// A header row whose items stand side by side at given x positions above a list; items that
// would overlap are cut at the next item's left edge.
class CColumnHeader : public CHeaderFrame {
public:
    using CHeaderFrame::CHeaderFrame;

    // Places item n at x: centred (alignment 1), ending at x (2) or starting at x (other).
    void SetColumn(int32_t n, int32_t x, uint32_t alignment, LPaneContext* context);

    void RectChanged(const CLRect& old) override;
    // The tallest item; 0 with none.
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;

protected:
    void SetItemText(CRespText& item, const LStringRef& text, LPaneContext* context) override;
    void SetItemFont(CRespText& item, const LFont& font, LPaneContext* context) override;

private:
    void ResolveOverlaps(LPaneContext* context);
    void Replace(CRespText& item, LPaneContext* context);
};
