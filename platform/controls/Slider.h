#pragma once
#include "platform/controls/Control.h"

namespace plat {

// A linear slider model: a value between a minimum and a maximum shown by a knob along the
// longer side (vertical when asked, the value growing upward). A press on the knob drags it from
// where it was taken; a press beside it moves the knob's centre to the pointer first. A
// continuous slider runs its action on every change while tracking; every slider runs it at the release.
class Slider : public Control {
public:
    Slider();

    double MinValue() const { return fMin; }
    double MaxValue() const { return fMax; }
    void SetMinValue(double value);
    void SetMaxValue(double value);

    double Value() const { return fValue; }
    // The value limited to the range.
    void SetValue(double value);
    // The value rounded to the nearest integer (halves away from zero).
    int IntValue() const;
    void SetIntValue(int value) { SetValue(value); }

    bool IsVertical() const { return fVertical; }
    void SetVertical(bool vertical) { fVertical = vertical; }

    // Length of the knob along the track.
    static constexpr double kKnobLength = 16.0;
    // Centre of the knob along the track, in control coordinates (x, or y when vertical).
    double KnobCentre() const;

    void Draw(Canvas& canvas) const override;

private:
    void TrackDown(Point where) override;
    void TrackDrag(Point where) override;
    void TrackUp(Point where) override;
    double Along(Point where) const;
    double ValueAt(double along) const;
    void MoveTo(double along);

    double fMin = 0.0;
    double fMax = 1.0;
    double fValue = 0.0;
    bool fVertical = false;
    double fGrabOffset = 0.0;
};

} // namespace plat
