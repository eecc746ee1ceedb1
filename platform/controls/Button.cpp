#include "platform/controls/Button.h"

#include "platform/controls/ControlLook.h"

#include <algorithm>

namespace plat {

void Button::PerformClick()
{
    if (!IsEnabled())
        return;
    switch (fKind) {
    case Kind::Momentary:
        break;
    case Kind::PushOnOff:
    case Kind::Switch:
        fState = fState ? 0 : 1;
        break;
    case Kind::Radio:
        fState = 1;
        break;
    }
    SendAction();
}

void Button::TrackDown(Point where)
{
    fHighlighted = Contains(where);
}

void Button::TrackDrag(Point where)
{
    fHighlighted = Contains(where);
}

void Button::TrackUp(Point where)
{
    fHighlighted = false;
    if (Contains(where))
        PerformClick();
}

} // namespace plat

namespace plat {

void Button::Draw(Canvas& canvas) const
{
    using namespace ControlLook;
    const bool pressed = fHighlighted || (fKind == Kind::PushOnOff && fState);
    if (fKind == Kind::Switch || fKind == Kind::Radio) {
        const double side = std::min(14.0, std::min(Width(), Height()));
        const Rect box{0, (Height() - side) / 2, side, side};
        canvas.SetFillColor(pressed ? kFacePressed : kWhite);
        canvas.SetStrokeColor(IsEnabled() ? kEdge : kEdgeDisabled);
        if (fKind == Kind::Radio) {
            canvas.FillEllipse(box);
            canvas.StrokeEllipse(box);
        } else {
            Bevel(canvas, box, pressed ? kFacePressed : kWhite, IsEnabled());
        }
        if (fState) {
            canvas.SetFillColor(kMark);
            canvas.FillEllipse(Rect{box.x + side / 4, box.y + side / 4, side / 2, side / 2});
        }
        return;
    }
    Bevel(canvas, Rect{0, 0, Width(), Height()}, pressed ? kFacePressed : kFace, IsEnabled());
    if (fKeyEquivalent == "\r") {
        canvas.SetStrokeColor(kAccent);
        canvas.StrokeRect(Rect{1.5, 1.5, Width() - 3, Height() - 3});
    }
}

} // namespace plat
