#pragma once
#include "controls/CColor.h"
#include "ui/panes/LPane.h"

// A one-pixel outline of its rectangle in a colour, which the mouse passes through.
class LOutlinePane : public LPane {
public:
    LOutlinePane(LHandler* parent, LPane* host);

    // Shown or hidden (events 0 and 1), while the host shows: the outline band is
    // invalidated through the host (showing: to update; hiding: to update and erase).
    void StateChanged(int32_t event) override;
    void DrawSelf(LPortState& port) const override;

    CColorRef color;  // null draws in the text colour
};
