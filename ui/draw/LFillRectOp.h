#pragma once
#include "foundation/geometry/CLRect.h"
#include "ui/draw/LBrush.h"

#include <cstdint>

class LPortState;

namespace plat {
enum class BlendMode;
}

// Fill blend modes: 1 difference, 2 multiply, 3 screen, any other value normal.
plat::BlendMode FillBlendMode(uint32_t mode);

// Fills a rectangle of the port with a brush.
class LFillRectOp {
public:
    LFillRectOp(const CLRect& r, const LBrushRef& b) : rect(r), brush(b) {}

    // Fills the rect in a saved drawing state with the brush's colour and the blend mode.
    void Draw(LPortState& port) const;

    CLRect rect;
    LBrushRef brush;
    uint32_t blendMode = 0;
};
