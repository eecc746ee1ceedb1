#pragma once
#include "controls/CColor.h"
#include "foundation/geometry/CLRect.h"
#include "ui/draw/LBrush.h"

#include <cstdint>

class LPortState;

// Fills the band between a rectangle and the rectangle inset by (inset x, inset y): an outline,
// with the brush or, when one is given, a shared colour.
class LFrameRectOp {
public:
    LFrameRectOp(const CLRect& r, const LBrushRef& b) : rect(r), brush(b) {}

    void Draw(LPortState& port) const;

    uint32_t insetX = 1;
    uint32_t insetY = 1;
    CLRect rect;
    LBrushRef brush;
    CColorRef color;
    uint32_t blendMode = 0;
};
