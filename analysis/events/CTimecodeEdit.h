#pragma once
#include "analysis/events/Timecode.h"
#include "controls/edit/CNumVol.h"

#include <cstdint>

// A value field that shows and takes a time as a timecode ("hh:mm:ss" and, unless the mode is
// 1, frames). Its value is in seconds. The field under the pointer (hours, minutes, seconds or
// frames) sets the size of click, drag and wheel steps; Control-Up and -Down step a minute, or
// a second with Shift. A signed field shows a "-" or a blank before the digits.
class CTimecodeEdit : public CNumVol {
public:
    enum Field : uint32_t { kWhole = 0, kHours = 1, kMinutes = 2, kSeconds = 3, kFrames = 4 };

    CTimecodeEdit(LPane* parent, uint32_t mode, bool isSigned);
    using CNumVol::SetValue;

    uint32_t Mode() const { return fMode; }
    bool IsSigned() const { return fSigned; }
    uint32_t SelectedField() const { return fField; }
    // The field a click at x (the horizontal distance from the field's left edge) picks.
    uint32_t FieldAt(int32_t x) const;

    // Shows round(seconds x 1024) units at 1024 units a second.
    void SetSeconds(double seconds);
    // Shows n units (u a second): unsigned fields wrap a negative time into the day, signed
    // ones show its magnitude after a "-".
    void SetValue(int64_t n, int64_t units);
    // As SetValue, unless the user is typing (focused with no selected characters).
    void SetUnits(int64_t n, int64_t units);
    // The shown time read back, in seconds.
    double GetSeconds() const;
    // The step of the field under a point, in seconds, and its direction (-1 or +1).
    double FieldStep(uint32_t field) const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    bool AcceptChar(uint8_t character) override;
    int32_t KeyStep() override;
    int32_t ClickStepDirection(const CLPoint& point) override;
    double WheelStepAt(const CLPoint& point) override;
    double GetValue() override;
    void SetRawValue(double value) override;
    void SelectText() override;

private:
    // The step zone (0..7) under a point in host coordinates.
    int32_t ZoneAt(const CLPoint& point) const;
    double Limit() const;

    uint32_t fMode;
    uint32_t fField = kWhole;
    bool fSigned;
    int32_t fDirection = 1;
    float fStep = 1.0f;
};
