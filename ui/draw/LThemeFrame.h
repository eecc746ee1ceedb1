#pragma once
#include "ui/draw/LFrameDecor.h"

// The standard text-field frame: a sunken bevel just outside the pane with a focus band.
class LThemeFrame : public LFrameDecor {
public:
    int32_t FrameWidth() const override { return 4; }
    // The rectangle grown by the frame width, less the rectangle shrunk by 1.
    LRegion FrameRegion(const CLRect& rect) const;
    // Whether the region meets the rectangle grown by the frame width (grown only when positive).
    bool Touches(const LRegion& region, const CLRect& rect) const;
    // When any of state bits 0x7 is set, adds the frame region to both regions.
    void AddFrameArea(const CLRect& rect, uint32_t state, LRegion& update, LRegion& erase) const override;
    // Active with state bit 0x2; focused when 0x2 and 0x4 are both set.
    void Draw(LPortState& port, const CLRect& rect, uint32_t state) const override;

protected:
    void DrawKind(LPortState& port, const CLRect& rect, uint32_t state, int kind) const;
};
