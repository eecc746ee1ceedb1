#pragma once
#include "ui/draw/LFrameDecor.h"

// A ring of the shared focus colour (id 5) drawn outside a pane while it is shown, active and
// focused.
class LRingFrame : public LFrameDecor {
public:
    explicit LRingFrame(uint32_t width) : ringWidth(width) {}

    int32_t FrameWidth() const override { return static_cast<int32_t>(ringWidth); }
    // The rectangle grown by the ring width on every side, without the rectangle itself.
    LRegion Ring(const CLRect& rect) const;
    // Adds the ring when state bits 0x1, 0x2 and 0x4 are all set.
    void AddFrameArea(const CLRect& rect, uint32_t state, LRegion& update, LRegion& erase) const override;
    void Draw(LPortState& port, const CLRect& rect, uint32_t state) const override;

    uint32_t ringWidth;
};
