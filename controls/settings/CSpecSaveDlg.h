#pragma once
#include "controls/edit/CNumVol.h"
#include "controls/std/CRadioButton.h"
#include "controls/std/LStdButton.h"
#include "controls/std/LStdCheck.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

// The spectrum export options: analysis length, one row per analysis or one summary per
// interval (average or maximum), and whether an event column is written. While rows follow the
// analyses the interval field is disabled and shows the frame time.
class CSpecSaveDlg : public LModalDialog {
public:
    static const char* const kResName;   // "SPECSAVEDLG"

    explicit CSpecSaveDlg(LHandler* parent);

    // The seconds one analysis frame lasts; a change re-applies the enabling rule.
    void SetValue(float frameTime);
    float FrameTime() const { return fFrameTime; }

    CNumVol& Length() { return fLength; }
    CRadioButton& RowPerAnalysis() { return fRowAnalysis; }
    CRadioButton& RowPerInterval() { return fRowInterval; }
    CNumVol& Interval() { return fInterval; }
    CRadioButton& Average() { return fAverage; }
    CRadioButton& Maximum() { return fMaximum; }
    LStdCheck& EventColumn() { return fEvents; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void ApplyEnabling();

    float fFrameTime = 1.0f;
    LStdButton fOk;
    LStdButton fCancel;
    LCaptionPane fLengthLabel;
    CNumVol fLength;
    LCaptionPane fRowLabel;
    CRadioButton fRowAnalysis;
    CRadioButton fRowInterval;
    CNumVol fInterval;
    LCaptionPane fSummaryLabel;
    CRadioButton fAverage;
    CRadioButton fMaximum;
    LStdCheck fEvents;
};
