#pragma once
#include "ui/draw/LThemeFrame.h"

// A sunken one-pixel bevel just outside a pane: top and left mid grey when active (light grey
// otherwise), bottom and right white.
class LBevelFrame : public LThemeFrame {
public:
    // Adds the frame band when state bit 0x1 or 0x2 is set.
    void AddFrameArea(const CLRect& rect, uint32_t state, LRegion& update, LRegion& erase) const override;
    void Draw(LPortState& port, const CLRect& rect, uint32_t state) const override;
};
