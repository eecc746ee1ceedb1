#pragma once
#include "controls/text/CTextDrawer.h"
#include "ui/draw/LBrush.h"
#include "ui/panes/LPane.h"

#include <cstdint>

// The static text pane: labels, captions and message texts. It measures and draws its text
// with a text drawer, answers the layout engines' preferred-size queries from it, and redraws
// only when a setter changed something. Clicks pass through it.
class LCaptionPane : public LPane {
public:
    // `mode`: 0 one line below the top, 1 lines clipped, 2 lines word-wrapped, 3 one line on
    // the top as baseline.
    LCaptionPane(LHandler* parent, LPane* host, int32_t mode);

    // Each setter answers whether the value changed; a change redraws the pane.
    bool SetText(const LStringRef& text);
    bool SetFont(const LFont& font);
    // 0 left, 1 centre, 2 right.
    bool SetAlignment(int32_t alignment);
    bool SetColor(const LBrushRef& brush);

    const LStringRef& Text() const { return fDrawer.Text(); }
    const LFont& Font() const { return fDrawer.Font(); }
    const LBrushRef& Color() const { return fColor; }
    int32_t Alignment() const { return fDrawer.Alignment(); }
    int32_t Mode() const { return fDrawer.Mode(); }

    // Redraws the pane when it is shown in a shown host.
    void Refresh();

    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;

private:
    int32_t MeasureWidth(LPortState& port, int32_t hint);
    int32_t MeasureHeight(LPortState& port, int32_t hint);

    LBrushRef fColor;
    // Drawing fills the drawer's caches.
    mutable CTextDrawer fDrawer;
};
