#include "platform/controls/Slider.h"

#include "platform/controls/ControlLook.h"

#include <algorithm>
#include <cmath>

namespace plat {

Slider::Slider()
{
    SetContinuous(true);
}

void Slider::SetMinValue(double value)
{
    fMin = value;
    if (fMax < fMin)
        fMax = fMin;
    SetValue(fValue);
}

void Slider::SetMaxValue(double value)
{
    fMax = value;
    if (fMin > fMax)
        fMin = fMax;
    SetValue(fValue);
}

void Slider::SetValue(double value)
{
    fValue = std::isnan(value) ? fMin : std::clamp(value, fMin, fMax);
}

int Slider::IntValue() const
{
    const double rounded = std::round(fValue);
    if (rounded >= 2147483647.0)
        return 2147483647;
    if (rounded <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(rounded);
}

double Slider::KnobCentre() const
{
    const double length = fVertical ? Height() : Width();
    const double travel = std::max(0.0, length - kKnobLength);
    const double fraction = fMax > fMin ? (fValue - fMin) / (fMax - fMin) : 0.0;
    const double along = kKnobLength / 2 + fraction * travel;
    return fVertical ? Height() - along : along;
}

double Slider::Along(Point where) const
{
    return fVertical ? Height() - where.y : where.x;
}

double Slider::ValueAt(double along) const
{
    const double length = fVertical ? Height() : Width();
    const double travel = length - kKnobLength;
    if (travel <= 0 || fMax <= fMin)
        return fMin;
    const double fraction = std::clamp((along - kKnobLength / 2) / travel, 0.0, 1.0);
    return fMin + fraction * (fMax - fMin);
}

void Slider::MoveTo(double along)
{
    const double before = fValue;
    SetValue(ValueAt(along));
    if (fValue != before && IsContinuous())
        SendAction();
}

void Slider::TrackDown(Point where)
{
    const double knob = fVertical ? Height() - KnobCentre() : KnobCentre();
    const double along = Along(where);
    fGrabOffset = std::fabs(along - knob) <= kKnobLength / 2 ? knob - along : 0.0;
    MoveTo(along + fGrabOffset);
}

void Slider::TrackDrag(Point where)
{
    MoveTo(Along(where) + fGrabOffset);
}

void Slider::TrackUp(Point where)
{
    // The release always reports, so that a non-continuous slider tells its final value.
    SetValue(ValueAt(Along(where) + fGrabOffset));
    SendAction();
}

} // namespace plat

namespace plat {

void Slider::Draw(Canvas& canvas) const
{
    using namespace ControlLook;
    const double centre = KnobCentre();
    canvas.SetFillColor(kTrack);
    if (fVertical)
        canvas.FillRect(Rect{Width() / 2 - 2, kKnobLength / 2, 4, std::max(0.0, Height() - kKnobLength)});
    else
        canvas.FillRect(Rect{kKnobLength / 2, Height() / 2 - 2, std::max(0.0, Width() - kKnobLength), 4});
    const Rect knob = fVertical ? Rect{Width() / 2 - kKnobLength / 2, centre - kKnobLength / 2, kKnobLength, kKnobLength}
                                : Rect{centre - kKnobLength / 2, Height() / 2 - kKnobLength / 2, kKnobLength, kKnobLength};
    canvas.SetFillColor(IsTracking() ? kFacePressed : kWhite);
    canvas.FillEllipse(knob);
    canvas.SetStrokeColor(IsEnabled() ? kEdge : kEdgeDisabled);
    canvas.StrokeEllipse(knob);
}

} // namespace plat
