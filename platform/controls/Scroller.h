#pragma once
#include "platform/controls/Control.h"

namespace plat {

// A scroll bar model: a knob position as a fraction 0..1 and a knob proportion 0..1, laid out
// along the longer side with a line arrow at each end (when there is room). A press reports which
// part it hit and runs the action; the owner moves the value for arrows and page areas, while a
// knob drag moves the value itself and reports on every move (continuous) or at the release.
class Scroller : public Control {
public:
    enum class Part { None = 0, DecrementPage = 1, Knob = 2, IncrementPage = 3, DecrementLine = 4,
                      IncrementLine = 5, KnobSlot = 6 };

    Scroller();

    // Thickness of a regular scroll bar, and of a small one.
    static constexpr double kWidth = 16.0;
    static constexpr double kSmallWidth = 11.0;
    // Shortest knob.
    static constexpr double kMinKnob = 12.0;

    double Value() const { return fValue; }
    void SetValue(double value);
    double KnobProportion() const { return fProportion; }
    void SetValueAndProportion(double value, double proportion);

    // The part hit by the last press.
    Part HitPart() const { return fHitPart; }
    // The part under a point, with the current layout.
    Part PartAt(Point where) const;

    bool IsVertical() const { return Height() > Width(); }
    // Where the knob lies along the bar (start and length), 0 length when no knob shows.
    double KnobStart() const;
    double KnobLength() const;

    void Draw(Canvas& canvas) const override;

private:
    void TrackDown(Point where) override;
    void TrackDrag(Point where) override;
    void TrackUp(Point where) override;
    double Along(Point where) const;
    double Length() const;
    double Thickness() const;
    double ArrowLength() const;
    double SlotStart() const;
    double SlotLength() const;

    double fValue = 0.0;
    double fProportion = 0.0;
    Part fHitPart = Part::None;
    double fGrabOffset = 0.0;
};

} // namespace plat
