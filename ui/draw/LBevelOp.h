#pragma once
#include "foundation/geometry/CLRect.h"
#include "ui/draw/LBrush.h"

class LPortState;

// A one-pixel bevel along the inside of a rectangle: top and left edges with the first
// brush, bottom and right edges with the second.
class LBevelOp {
public:
    LBevelOp(const CLRect& r, const LBrushRef& topLeft, const LBrushRef& bottomRight)
        : rect(r), topLeftBrush(topLeft), bottomRightBrush(bottomRight)
    {
    }

    void Draw(LPortState& port) const;

    CLRect rect;
    LBrushRef topLeftBrush;
    LBrushRef bottomRightBrush;
};
