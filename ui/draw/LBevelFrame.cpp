#include "ui/draw/LBevelFrame.h"
#include "controls/CColor.h"
#include "shell/draw/LPortStateScope.h"
#include "ui/draw/LBevelOp.h"

namespace {

LBrushRef GreyBrush(uint32_t level)
{
    CColor* grey = CColor::Grey(level);
    return LBrush::MakeRGB(grey->red, grey->green, grey->blue);
}

} // namespace

void LBevelFrame::AddFrameArea(const CLRect& rect, uint32_t state, LRegion& update, LRegion& erase) const
{
    if ((state & (kShown | kActive)) == 0)
        return;
    LRegion band = FrameRegion(rect);
    update.Union(band);
    erase.Union(band);
}

void LBevelFrame::Draw(LPortState& port, const CLRect& rect, uint32_t state) const
{
    LPortStateScope saved(port);
    CLRect outer = rect;
    outer.Inset(-1, -1);
    LBevelOp(outer, GreyBrush((state & kActive) ? 2 : 3), GreyBrush(4)).Draw(port);
}
