#include "ui/draw/LThemeFrame.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/ThemeFrames.h"
#include "shell/draw/LPortStateScope.h"
#include "ui/draw/LPortState.h"

LRegion LThemeFrame::FrameRegion(const CLRect& rect) const
{
    CLRect outer = rect;
    outer.Inset(-FrameWidth(), -FrameWidth());
    CLRect inner = rect;
    inner.Inset(1, 1);
    LRegion band(outer);
    band.Subtract(LRegion(inner));
    return band;
}

bool LThemeFrame::Touches(const LRegion& region, const CLRect& rect) const
{
    CLRect grown = rect;
    if (FrameWidth() > 0)
        grown.Inset(-FrameWidth(), -FrameWidth());
    return region.Intersects(grown);
}

void LThemeFrame::AddFrameArea(const CLRect& rect, uint32_t state, LRegion& update, LRegion& erase) const
{
    if ((state & (kShown | kActive | kFocused)) == 0)
        return;
    LRegion band = FrameRegion(rect);
    update.Union(band);
    erase.Union(band);
}

void LThemeFrame::DrawKind(LPortState& port, const CLRect& rect, uint32_t state, int kind) const
{
    plat::Canvas* canvas = port.Context();
    if (!canvas)
        return;
    LPortStateScope saved(port);
    bool active = (state & kActive) != 0;
    bool focused = active && (state & kFocused) != 0;
    plat::DrawThemeFrame(*canvas, rect.ToCGRect(), static_cast<plat::FrameKind>(kind),
                         active ? plat::FrameActivity::Active : plat::FrameActivity::Inactive,
                         focused ? plat::FrameFocus::Focused : plat::FrameFocus::None);
}

void LThemeFrame::Draw(LPortState& port, const CLRect& rect, uint32_t state) const
{
    DrawKind(port, rect, state, static_cast<int>(plat::FrameKind::TextField));
}
