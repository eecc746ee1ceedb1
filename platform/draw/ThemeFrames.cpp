#include "platform/draw/ThemeFrames.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/SystemColors.h"

#include <cmath>

namespace plat {

namespace {

Color FromHex(unsigned rgb, double alpha = 1.0)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

void Fill(Canvas& canvas, const Color& color, double x, double y, double w, double h)
{
    if (w <= 0 || h <= 0)
        return;
    canvas.SetFillColor(color);
    canvas.FillRect({x, y, w, h});
}

// Fills the band `width` pixels wide just outside r.
void FillBandOutside(Canvas& canvas, const Rect& r, double width, const Color& color)
{
    Fill(canvas, color, r.x - width, r.y - width, r.width + 2 * width, width);
    Fill(canvas, color, r.x - width, r.y + r.height, r.width + 2 * width, width);
    Fill(canvas, color, r.x - width, r.y, width, r.height);
    Fill(canvas, color, r.x + r.width, r.y, width, r.height);
}

} // namespace

void DrawThemeFrame(Canvas& canvas, const Rect& rect, FrameKind kind, FrameActivity activity, FrameFocus focus)
{
    Rect r = Integral(rect);
    if (r.width <= 0 || r.height <= 0)
        return;
    canvas.Save();
    canvas.SetBlendMode(BlendMode::Normal);
    bool active = activity == FrameActivity::Active;
    Color dark = FromHex(active ? ThemeColors::kEdgeDark : ThemeColors::kEdgeInactive);
    if (kind == FrameKind::ListBox) {
        FillBandOutside(canvas, r, 1, dark);
    } else {
        Color lower = FromHex(ThemeColors::kEdgeLower);
        Fill(canvas, dark, r.x - 1, r.y - 1, r.width + 2, 1);           // top
        Fill(canvas, dark, r.x - 1, r.y, 1, r.height);                  // left
        Fill(canvas, lower, r.x - 1, r.y + r.height, r.width + 2, 1);   // bottom
        Fill(canvas, lower, r.x + r.width, r.y, 1, r.height);           // right
    }
    if (active && focus == FrameFocus::Focused) {
        Rect outer{r.x - 1, r.y - 1, r.width + 2, r.height + 2};
        FillBandOutside(canvas, outer, kThemeFrameOutset - 1, SystemColorValue(SystemColor::KeyboardFocusIndicator));
    }
    canvas.Restore();
}

void DrawSeparator(Canvas& canvas, const Rect& rect, FrameActivity activity)
{
    Rect r = Integral(rect);
    if (r.width <= 0 || r.height <= 0)
        return;
    canvas.Save();
    canvas.SetBlendMode(BlendMode::Normal);
    Color dark = FromHex(activity == FrameActivity::Active ? ThemeColors::kEdgeDark : ThemeColors::kEdgeInactive);
    Color light = FromHex(ThemeColors::kEdgeLight);
    if (r.width >= r.height) {
        Fill(canvas, dark, r.x, r.y, r.width, 1);
        if (r.height >= 2)
            Fill(canvas, light, r.x, r.y + 1, r.width, 1);
    } else {
        Fill(canvas, dark, r.x, r.y, 1, r.height);
        if (r.width >= 2)
            Fill(canvas, light, r.x + 1, r.y, 1, r.height);
    }
    canvas.Restore();
}

} // namespace plat
