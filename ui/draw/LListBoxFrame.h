#pragma once
#include "ui/draw/LThemeFrame.h"

// The themed frame around list panes: the list-box kind of the text-field frame, with the
// same width and frame region.
class LListBoxFrame : public LThemeFrame {
public:
    int32_t FrameWidth() const override { return 4; }
    // Active with state bit 0x2; focused when 0x2 and 0x4 are both set.
    void Draw(LPortState& port, const CLRect& rect, uint32_t state) const override;
};
