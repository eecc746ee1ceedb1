#include "platform/controls/ControlLook.h"

namespace plat::ControlLook {

void Bevel(Canvas& canvas, const Rect& rect, const Color& face, bool enabled)
{
    canvas.SetFillColor(face);
    canvas.FillRect(rect);
    canvas.SetStrokeColor(enabled ? kEdge : kEdgeDisabled);
    canvas.SetLineWidth(1.0);
    canvas.StrokeRect(Rect{rect.x + 0.5, rect.y + 0.5, rect.width - 1, rect.height - 1});
}

namespace {

void Triangle(Canvas& canvas, const Point& a, const Point& b, const Point& c, const Color& color)
{
    canvas.SetFillColor(color);
    canvas.BeginPath();
    canvas.MoveTo(a);
    canvas.LineTo(b);
    canvas.LineTo(c);
    canvas.ClosePath();
    canvas.FillPath();
}

} // namespace

void Arrow(Canvas& canvas, const Rect& rect, bool down, const Color& color)
{
    const double cx = rect.x + rect.width / 2;
    const double cy = rect.y + rect.height / 2;
    const double half = std::min(rect.width, rect.height) / 4;
    const double tip = down ? half / 2 : -half / 2;
    Triangle(canvas, Point{cx - half, cy - tip}, Point{cx + half, cy - tip}, Point{cx, cy + tip}, color);
}

void SideArrow(Canvas& canvas, const Rect& rect, bool right, const Color& color)
{
    const double cx = rect.x + rect.width / 2;
    const double cy = rect.y + rect.height / 2;
    const double half = std::min(rect.width, rect.height) / 4;
    const double tip = right ? half / 2 : -half / 2;
    Triangle(canvas, Point{cx - tip, cy - half}, Point{cx - tip, cy + half}, Point{cx + tip, cy}, color);
}

void FocusRing(Canvas& canvas, const Rect& rect)
{
    if (rect.width < 4 || rect.height < 4)
        return;
    canvas.SetStrokeColor(kAccent);
    canvas.SetLineWidth(2.0);
    canvas.StrokeRect(Rect{rect.x + 1, rect.y + 1, rect.width - 2, rect.height - 2});
}

} // namespace plat::ControlLook
