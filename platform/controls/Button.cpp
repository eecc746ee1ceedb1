#include "platform/controls/Button.h"

#include "platform/controls/ControlLook.h"

#include <algorithm>
#include <cmath>

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
        DrawLabel(canvas, GetFont(), fTitle, Rect{side + 4, 0, Width() - side - 4, Height()}, IsEnabled());
        return;
    }
    Bevel(canvas, Rect{0, 0, Width(), Height()}, pressed ? kFacePressed : kFace, IsEnabled());
    if (fKeyEquivalent == "\r") {
        canvas.SetStrokeColor(kAccent);
        canvas.StrokeRect(Rect{1.5, 1.5, Width() - 3, Height() - 3});
    }
    const double text = TextAdvance(GetFont(), fTitle);
    DrawLabel(canvas, GetFont(), fTitle, Rect{std::floor((Width() - text) / 2), 0, text, Height()}, IsEnabled());
}

} // namespace plat

namespace plat {
namespace {

// Side of the mark of a check box or radio button, and the gap before its title.
constexpr double kMarkSide = 14.0;
constexpr double kMarkGap = 4.0;
// Margins of a push button's title.
constexpr double kTitleMargin = 12.0;

} // namespace

Rect Button::NaturalSize() const
{
    const double text = std::ceil(TextAdvance(GetFont(), fTitle));
    const double line = std::ceil(FontLineHeight(GetFont()));
    if (fKind == Kind::Switch || fKind == Kind::Radio)
        return Rect{0, 0, kMarkSide + (text > 0 ? kMarkGap + text : 0), std::max(kMarkSide, line)};
    const double margin = ControlSize() == Size::Regular ? kTitleMargin : kTitleMargin / 2;
    return Rect{0, 0, text + 2 * margin, line + (ControlSize() == Size::Regular ? 7 : 4)};
}

} // namespace plat
