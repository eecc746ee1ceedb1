#include "ui/draw/LRingFrame.h"
#include "controls/CColor.h"
#include "ui/draw/LFillRegionOp.h"

namespace {

bool ShowsRing(uint32_t state)
{
    constexpr uint32_t kAll = LFrameDecor::kShown | LFrameDecor::kActive | LFrameDecor::kFocused;
    return (state & kAll) == kAll;
}

} // namespace

LRegion LRingFrame::Ring(const CLRect& rect) const
{
    CLRect outer = rect;
    outer.Inset(-FrameWidth(), -FrameWidth());
    LRegion ring(outer);
    ring.Subtract(LRegion(rect));
    return ring;
}

void LRingFrame::AddFrameArea(const CLRect& rect, uint32_t state, LRegion& update, LRegion& erase) const
{
    if (!ShowsRing(state))
        return;
    LRegion ring = Ring(rect);
    update.Union(ring);
    erase.Union(ring);
}

void LRingFrame::Draw(LPortState& port, const CLRect& rect, uint32_t state) const
{
    if (ShowsRing(state))
        LFillRegionOp(Ring(rect), CColorRef(CColor::FromId(5))).Draw(port);
}
