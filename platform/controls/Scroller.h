#pragma once
#include "platform/controls/Control.h"

#include <cstdint>
#include <memory>

namespace plat {

class RunLoopTimer;

// A scroll bar model: a knob position as a fraction 0..1 and a knob proportion 0..1, laid out
// along the longer side with a line arrow at each end (when there is room). A press reports which
// part it hit and runs the action; the owner moves the value for arrows and page areas, while a
// knob drag moves the value itself and reports on every move (continuous) or at the release.
// An arrow or page area held down acts again after a delay and then at a steady pace, on a
// run-loop timer of the tracking mode, while the pointer stays on that part (a page area stops
// once the knob reaches the pointer) and the value is not yet at that end; the release stops it.
class Scroller : public Control {
public:
    enum class Part { None = 0, DecrementPage = 1, Knob = 2, IncrementPage = 3, DecrementLine = 4,
                      IncrementLine = 5, KnobSlot = 6 };

    Scroller();
    ~Scroller() override;

    // Thickness of a regular scroll bar, and of a small one.
    static constexpr double kWidth = 16.0;
    static constexpr double kSmallWidth = 11.0;
    // Shortest knob.
    static constexpr double kMinKnob = 12.0;
    // A held arrow or page area acts at the press, again after the delay, then every interval.
    static constexpr uint64_t kRepeatDelayMs = 400;
    static constexpr uint64_t kRepeatIntervalMs = 50;

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
    void TrackCancel() override;
    void Repeat();
    void StopRepeating();
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
    Point fPointer;                      // where the pointer is while the press is held
    std::unique_ptr<RunLoopTimer> fRepeat; // made on the first press of an arrow or page area
};

} // namespace plat
