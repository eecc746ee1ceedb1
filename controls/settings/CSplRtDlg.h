#pragma once
#include "controls/edit/CNumVol.h"
#include "controls/std/LStdButton.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

// Asks for the sample rate (1 to 2000) and the ratio of it the analysis uses (0.1 to 1), and
// shows their product as "(…Hz)".
class CSplRtDlg : public LModalDialog {
public:
    static const char* const kResName;   // "SPLRTDLG"
    static constexpr float kDefaultRatio = 0.33333334f;

    explicit CSplRtDlg(LHandler* parent);

    CNumVol& Rate() { return fRate; }
    CNumVol& Ratio() { return fRatio; }
    LStdButton& ResetButton() { return fReset; }
    const LCaptionPane& ResultCaption() const { return fResult; }
    // Writes rate x ratio into the result caption.
    void UpdateRateText();

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    LStdButton fOk;
    LStdButton fCancel;
    LCaptionPane fRateCaption;
    CNumVol fRate;
    LCaptionPane fRatioCaption;
    CNumVol fRatio;
    LStdButton fReset;
    LCaptionPane fResult;
};
