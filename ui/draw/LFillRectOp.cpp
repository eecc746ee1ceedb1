#include "ui/draw/LFillRectOp.h"
#include "platform/draw/Canvas.h"
#include "shell/draw/LPortStateScope.h"
#include "ui/draw/LPortState.h"

plat::BlendMode FillBlendMode(uint32_t mode)
{
    switch (mode) {
    case 1: return plat::BlendMode::Difference;
    case 2: return plat::BlendMode::Multiply;
    case 3: return plat::BlendMode::Screen;
    default: return plat::BlendMode::Normal;
    }
}

void LFillRectOp::Draw(LPortState& port) const
{
    plat::Canvas* canvas = port.Context();
    if (!canvas)
        return;
    LPortStateScope saved(port);
    canvas->SetFillColor(BrushColor(brush.Get()));
    canvas->SetBlendMode(FillBlendMode(blendMode));
    if (!rect.IsEmpty())
        canvas->FillRect(rect.ToCGRect());
    canvas->SetBlendMode(plat::BlendMode::Normal);
}
