#pragma once
#include "controls/CColor.h"
#include "ui/panes/LCaptionPane.h"

// A caption that reports clicks ("CRespText_Click") and can be highlighted: the items of
// header rows.
class CRespText : public LCaptionPane {
public:
    static const char* msgClick;

    CRespText(LPane* parent, bool opaque);

    void SetHighlight(bool on);
    bool IsHighlighted() const { return fHighlighted; }
    void SetHighlightColor(const CColorRef& color) { fHighlightColor = color; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void DrawSelf(LPortState& port) const override;

private:
    bool fOpaque;
    bool fHighlighted = false;
    CColorRef fHighlightColor;
};
