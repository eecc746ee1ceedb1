#include "platform/controls/Button.h"

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
