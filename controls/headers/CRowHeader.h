#pragma once
#include "controls/headers/CHeaderFrame.h"

// A header of items stacked at given text baselines beside a list.
class CRowHeader : public CHeaderFrame {
public:
    using CHeaderFrame::CHeaderFrame;

    // Places item n with its baseline at `baseline`, across the frame less 3 pixels each side.
    void SetRow(int32_t n, int32_t baseline, LPaneContext* context);

    void RectChanged(const CLRect& old) override;
    // The widest item plus 6; 0 when no item answers more than 0.
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;

protected:
    void SetItemText(CRespText& item, const LStringRef& text, LPaneContext* context) override;
    void SetItemFont(CRespText& item, const LFont& font, LPaneContext* context) override;
};
