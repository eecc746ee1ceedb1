#include "platform/controls/Scroller.h"

#include "platform/controls/ControlLook.h"
#include "platform/runloop/RunLoopTimer.h"

#include <algorithm>
#include <cmath>

namespace plat {
namespace {

double Unit(double value)
{
    return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
}

// The parts that act again while they are held.
bool Repeats(Scroller::Part part)
{
    return part == Scroller::Part::DecrementLine || part == Scroller::Part::IncrementLine
        || part == Scroller::Part::DecrementPage || part == Scroller::Part::IncrementPage;
}

bool Decrements(Scroller::Part part)
{
    return part == Scroller::Part::DecrementLine || part == Scroller::Part::DecrementPage;
}

} // namespace

Scroller::Scroller()
{
    SetContinuous(true);
}

Scroller::~Scroller() = default;

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
    fPointer = where;
    fGrabOffset = Along(where) - KnobStart();
    if (Repeats(fHitPart)) {
        if (!fRepeat)
            fRepeat = std::make_unique<RunLoopTimer>(RunLoop::Current(), [this] { Repeat(); }, kModeEventTracking);
        fRepeat->FireAfter(kRepeatDelayMs);
    }
    if (fHitPart != Part::None && fHitPart != Part::KnobSlot)
        SendAction();
}

void Scroller::Repeat()
{
    if (!IsTracking() || !Repeats(fHitPart))
        return;
    // At its end the bar has nothing left to scroll: the repeat ends until the next press.
    if (Decrements(fHitPart) ? fValue <= 0.0 : fValue >= 1.0)
        return;
    // Armed before the action, which may take the bar away with its window.
    fRepeat->FireAfter(kRepeatIntervalMs);
    // Off the part (or, in a page area, once the knob has come under the pointer) the bar
    // waits: the pointer may come back while the button is still held.
    if (PartAt(fPointer) == fHitPart)
        SendAction();
}

void Scroller::StopRepeating()
{
    if (fRepeat)
        fRepeat->Disarm();
}

void Scroller::TrackCancel()
{
    StopRepeating();
}

void Scroller::TrackDrag(Point where)
{
    fPointer = where;
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
    StopRepeating();
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
        // The arrow held down shows pressed.
        const auto face = [&](Part part) { return IsTracking() && fHitPart == part ? kFacePressed : kFace; };
        Bevel(canvas, span(0, arrow), face(Part::DecrementLine), IsEnabled());
        Bevel(canvas, span(Length() - arrow, arrow), face(Part::IncrementLine), IsEnabled());
        // Arrows point along the bar: up and down, or left and right.
        const auto arrowAt = IsVertical() ? &Arrow : &SideArrow;
        arrowAt(canvas, span(0, arrow), false, kMark);
        arrowAt(canvas, span(Length() - arrow, arrow), true, kMark);
    }
    if (KnobLength() > 0)
        Bevel(canvas, span(KnobStart(), KnobLength()), IsTracking() ? kFacePressed : kWhite, true);
}

} // namespace plat
