#include "platform/controls/Scroller.h"

#include "platform/controls/ControlLook.h"

#include <algorithm>
#include <cmath>

namespace plat {
namespace {

double Unit(double value)
{
    return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
}

} // namespace

Scroller::Scroller()
{
    SetContinuous(true);
}

void Scroller::SetValue(double value)
{
    fValue = Unit(value);
}

void Scroller::SetValueAndProportion(double value, double proportion)
{
    fValue = Unit(value);
    fProportion = Unit(proportion);
}

double Scroller::Length() const
{
    return IsVertical() ? Height() : Width();
}

double Scroller::Thickness() const
{
    return IsVertical() ? Width() : Height();
}

double Scroller::ArrowLength() const
{
    // Arrows only when they leave room for a knob between them.
    const double arrow = Thickness();
    return Length() >= 2 * arrow + kMinKnob ? arrow : 0.0;
}

double Scroller::SlotStart() const
{
    return ArrowLength();
}

double Scroller::SlotLength() const
{
    return std::max(0.0, Length() - 2 * ArrowLength());
}

double Scroller::KnobLength() const
{
    const double slot = SlotLength();
    if (!IsEnabled() || fProportion >= 1.0 || slot < kMinKnob)
        return 0.0;
    return std::max(kMinKnob, slot * fProportion);
}

double Scroller::KnobStart() const
{
    return SlotStart() + fValue * (SlotLength() - KnobLength());
}

double Scroller::Along(Point where) const
{
    return IsVertical() ? where.y : where.x;
}

Scroller::Part Scroller::PartAt(Point where) const
{
    if (!Contains(where))
        return Part::None;
    const double along = Along(where);
    if (along < SlotStart())
        return Part::DecrementLine;
    if (along >= SlotStart() + SlotLength())
        return Part::IncrementLine;
    const double knob = KnobLength();
    if (knob <= 0)
        return Part::KnobSlot;
    if (along < KnobStart())
        return Part::DecrementPage;
    if (along >= KnobStart() + knob)
        return Part::IncrementPage;
    return Part::Knob;
}

void Scroller::TrackDown(Point where)
{
    fHitPart = PartAt(where);
    fGrabOffset = Along(where) - KnobStart();
    if (fHitPart != Part::None && fHitPart != Part::KnobSlot)
        SendAction();
}

void Scroller::TrackDrag(Point where)
{
    if (fHitPart != Part::Knob)
        return;
    const double travel = SlotLength() - KnobLength();
    if (travel <= 0)
        return;
    const double before = fValue;
    fValue = Unit((Along(where) - fGrabOffset - SlotStart()) / travel);
    if (fValue != before && IsContinuous())
        SendAction();
}

void Scroller::TrackUp(Point where)
{
    TrackDrag(where);
    if (fHitPart == Part::Knob && !IsContinuous())
        SendAction();
}

} // namespace plat

namespace plat {

void Scroller::Draw(Canvas& canvas) const
{
    using namespace ControlLook;
    canvas.SetFillColor(kTrack);
    canvas.FillRect(Rect{0, 0, Width(), Height()});
    const double arrow = ArrowLength();
    const auto span = [&](double start, double length) {
        return IsVertical() ? Rect{0, start, Width(), length} : Rect{start, 0, length, Height()};
    };
    if (arrow > 0) {
        Bevel(canvas, span(0, arrow), kFace, IsEnabled());
        Bevel(canvas, span(Length() - arrow, arrow), kFace, IsEnabled());
        // Arrows point along the bar: up and down, or left and right.
        const auto arrowAt = IsVertical() ? &Arrow : &SideArrow;
        arrowAt(canvas, span(0, arrow), false, kMark);
        arrowAt(canvas, span(Length() - arrow, arrow), true, kMark);
    }
    if (KnobLength() > 0)
        Bevel(canvas, span(KnobStart(), KnobLength()), IsTracking() ? kFacePressed : kWhite, true);
}

} // namespace plat
