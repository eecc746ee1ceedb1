#pragma once
#include "controls/CColor.h"
#include "controls/text/CTextDrawer.h"
#include "ui/panes/LPane.h"

// A text item that reports clicks ("CRespText_Click") and can be highlighted: the items of
// header rows. NOTE: shows its text through its own drawer until the caption pane it extends
// is on the main line; its caption operations keep the caption's names.
class CRespText : public LPane {
public:
    static const char* msgClick;

    CRespText(LPane* parent, bool opaque);

    void SetText(const LStringRef& text);
    const LStringRef& Text() const { return fDrawer.Text(); }
    // Answers whether the font changed.
    bool SetFont(const LFont& font);
    const LFont& Font() const { return fDrawer.Font(); }
    void SetAlignment(int32_t alignment);
    int32_t Alignment() const { return fDrawer.Alignment(); }
    void SetHighlight(bool on);
    bool IsHighlighted() const { return fHighlighted; }
    void SetHighlightColor(const CColorRef& color) { fHighlightColor = color; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    // Width of the text; height of one line (hint -10: the ascent, where the baseline lies).
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;

private:
    bool fOpaque;
    bool fHighlighted = false;
    CColorRef fHighlightColor;
    mutable CTextDrawer fDrawer;
};
