#include "ui/draw/LFillRegionOp.h"
#include "platform/draw/Canvas.h"
#include "shell/draw/LPortStateScope.h"
#include "ui/draw/LFillRectOp.h"
#include "ui/draw/LPortState.h"
#include "ui/draw/PixelRects.h"

void LFillRegionOp::Draw(LPortState& port) const
{
    plat::Canvas* canvas = port.Context();
    if (!canvas)
        return;
    plat::Color paint = color.Get() ? color->PlatformColor() : BrushColor(brush.Get());
    canvas->SetFillColor(paint);
    canvas->SetStrokeColor(paint);
    LPortStateScope saved(port);
    canvas->SetBlendMode(FillBlendMode(blendMode));
    if (!region.IsEmpty())
        canvas->FillRects(PixelRects(region));
    canvas->SetBlendMode(plat::BlendMode::Normal);
}
