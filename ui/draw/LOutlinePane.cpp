#include "ui/draw/LOutlinePane.h"
#include "ui/draw/LFrameRectOp.h"

namespace {

LRegion OutlineBand(const CLRect& rect)
{
    CLRect inner = rect;
    inner.Inset(1, 1);
    LRegion band(rect);
    band.Subtract(LRegion(inner));
    return band;
}

} // namespace

LOutlinePane::LOutlinePane(LHandler* parent, LPane* host) : LPane(parent, host)
{
    SetFlagBits(kPaneTransparent, true);
}

void LOutlinePane::StateChanged(int32_t event)
{
    if (event != kEventShow && event != kEventHide) {
        LPane::StateChanged(event);
        return;
    }
    if (!Host() || !(Flags() & kPaneHostShown))
        return;
    LRegion band = OutlineBand(Rect());
    Host()->Invalidate(band, event == kEventHide ? band : LRegion());
}

void LOutlinePane::DrawSelf(LPortState& port) const
{
    LFrameRectOp op(Rect(), LBrushRef());
    op.color = color;
    op.Draw(port);
}
