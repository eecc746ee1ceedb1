#pragma once
#include "controls/std/CStateButton.h"
#include "foundation/core/LStringRef.h"
#include "ui/frames/LFrame.h"
#include "ui/panes/LCaptionPane.h"

class LResourceSource;

// The strip under a document's views that shows the current source's baseline, sample rate
// and cut-off frequency, with a warning button whose title appears when the source dropped
// data and goes when it is clicked. Layout and texts come from the "ZEBSTATF" resources.
class CStatusFrame : public LFrame {
public:
    // `source`: where the resources come from; null for the application's resource chain.
    CStatusFrame(LHandler* parent, LPane* host, LResourceSource* source = nullptr);

    // Value 1: the baseline with one decimal, or nothing when it is negative.
    void SetValue(double baseline);
    // Values 2 and 3: the rate and rate x ratio, rounded half away from zero.
    void SetCounts(double rate, double ratio);
    // Shows the warning text as the button's title.
    void ShowMessage();

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    const LCaptionPane& Label(int i) const { return fLabels[i]; }
    const LCaptionPane& Value(int i) const { return fValues[i]; }
    CStateButton& Button() { return fButton; }

private:
    static LCtlSpec ButtonSpec();

    LStringRef fWarning;
    LCaptionPane fLabels[3];
    LCaptionPane fValues[3];
    CStateButton fButton;
};
