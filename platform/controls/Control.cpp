#include "platform/controls/Control.h"

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

bool Control::Contains(Point where) const
{
    return where.x >= 0 && where.y >= 0 && where.x < fWidth && where.y < fHeight;
}

void Control::SendAction()
{
    if (fAction)
        fAction();
}

} // namespace plat
