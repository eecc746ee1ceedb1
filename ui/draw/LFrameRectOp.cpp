#include "ui/draw/LFrameRectOp.h"
#include "foundation/geometry/LRegion.h"
#include "ui/draw/LFillRegionOp.h"

#include <algorithm>
#include <limits>

void LFrameRectOp::Draw(LPortState& port) const
{
    auto inset = [](uint32_t value) {
        return static_cast<int32_t>(std::min<uint32_t>(value, std::numeric_limits<int32_t>::max()));
    };
    CLRect inner = rect;
    inner.Inset(inset(insetX), inset(insetY));
    LRegion band(rect);
    band.Subtract(LRegion(inner));
    LFillRegionOp fill(band, brush);
    fill.color = color;
    fill.blendMode = blendMode;
    fill.Draw(port);
}
