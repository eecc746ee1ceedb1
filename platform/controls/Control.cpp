#include "platform/controls/Control.h"

#include "platform/controls/ControlLook.h"

#include <cmath>

namespace plat {

void Control::SetSize(double width, double height)
{
    if (width == fWidth && height == fHeight)
        return;
    fWidth = width < 0 ? 0 : width;
    fHeight = height < 0 ? 0 : height;
    SizeChanged();
}

void Control::MouseDown(Point where)
{
    fTracking = fEnabled;
    if (fTracking)
        TrackDown(where);
}

void Control::MouseDragged(Point where)
{
    if (fTracking)
        TrackDrag(where);
}

void Control::MouseUp(Point where)
{
    if (!fTracking)
        return;
    fTracking = false;
    TrackUp(where);
}

void Control::PerformClick()
{
    const Point middle{fWidth / 2, fHeight / 2};
    MouseDown(middle);
    MouseUp(middle);
}

void Control::DrawFocusRing(Canvas& canvas) const
{
    if (fShowsFocus)
        ControlLook::FocusRing(canvas, Rect{0, 0, fWidth, fHeight});
}

void Control::CancelTracking()
{
    if (!fTracking)
        return;
    fTracking = false;
    TrackCancel();
}

bool Control::Contains(Point where) const
{
    return where.x >= 0 && where.y >= 0 && where.x < fWidth && where.y < fHeight;
}

void Control::SendAction()
{
    if (fAction)
        fAction();
}

double TextAdvance(const Font* font, const std::string& text)
{
    return font ? font->Advance(text) : 0.0;
}

double FontLineHeight(const Font* font)
{
    return font ? font->LineHeight() : 14.0;
}

void DrawLabel(Canvas& canvas, const Font* font, const std::string& text, const Rect& box, bool enabled)
{
    if (!font || text.empty())
        return;
    const double baseline = box.y + (box.height + font->Ascender() - font->Descender()) / 2;
    canvas.SetFillColor(enabled ? ControlLook::kMark : ControlLook::kMarkDisabled);
    font->Draw(canvas, text, Point{box.x, std::floor(baseline)});
}

} // namespace plat
