#pragma once
#include "ui/panes/LPane.h"

// A thin separator line between groups of panes: mouse-transparent and opaque.
class LSeparatorPane : public LPane {
public:
    LSeparatorPane(LHandler* parent, LPane* host);

    // 1, or 2 when the system-information record asks for wide separators (bit 0 of its first word).
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    // Draws the desktop's separator in the pane's rectangle, active.
    void DrawSelf(LPortState& port) const override;
};
