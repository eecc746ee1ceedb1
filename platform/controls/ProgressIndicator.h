#pragma once
#include "platform/controls/Control.h"

namespace plat {

// A progress bar model: a value between a minimum and a maximum, or indeterminate (a running
// pattern instead of a filled part). It takes no input.
class ProgressIndicator : public Control {
public:
    double MinValue() const { return fMin; }
    double MaxValue() const { return fMax; }
    void SetMinValue(double value) { fMin = value; }
    void SetMaxValue(double value) { fMax = value; }
    double Value() const { return fValue; }
    void SetValue(double value) { fValue = value; }
    bool IsIndeterminate() const { return fIndeterminate; }
    void SetIndeterminate(bool indeterminate) { fIndeterminate = indeterminate; }
    bool IsBezeled() const { return fBezeled; }
    void SetBezeled(bool bezeled) { fBezeled = bezeled; }

    // The filled fraction 0..1 (0 while indeterminate or with an empty range).
    double FilledFraction() const;

    void Draw(Canvas& canvas) const override;

private:
    void TrackDown(Point) override {}

    double fMin = 0.0;
    double fMax = 100.0;
    double fValue = 0.0;
    bool fIndeterminate = true;
    bool fBezeled = true;
};

} // namespace plat
