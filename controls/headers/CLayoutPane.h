#pragma once
#include "foundation/text/LStrList.h"
#include "ui/frames/LFrame.h"

// A frame whose children are placed by three layout texts: 0 sets up, 1 measures the content,
// 2 places the children, with the content size in the variables "cw" and "ch".
class CLayoutPane : public LFrame {
public:
    CLayoutPane(LPane* parent, const LStrListRef& texts, bool measure);

    // A content size of 1 or more is used as it is instead of measuring.
    void SetFixedSize(int32_t width, int32_t height);
    bool IsDirty() const { return fDirty; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    LPane* HitTest(const CLPoint& point) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;
    void FinishLayout(LPaneContext& context, LFormulaLayout& layout) override;

private:
    // The content size from a fresh run of texts 0 and 1.
    CLPoint MeasuredSize(LPaneContext* context);

    LStrListRef fTexts;
    int32_t fFixedWidth = 0;
    int32_t fFixedHeight = 0;
    bool fMeasure;
    bool fDirty = false;
};
