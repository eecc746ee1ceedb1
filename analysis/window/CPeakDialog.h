#pragma once
#include "controls/edit/CNumVol.h"
#include "controls/std/LStdButton.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

// Asks for the peak detection settings: the hold time (0 to 100 s) and the frequency band
// (0 to 50000 Hz) searched for the peak.
class CPeakDialog : public LModalDialog {
public:
    static const char* const kResName;   // "PEAKDLG"

    explicit CPeakDialog(LHandler* parent);

    CNumVol& Hold() { return fHold; }
    CNumVol& Low() { return fLow; }
    CNumVol& High() { return fHigh; }

private:
    LStdButton fOk;
    LStdButton fCancel;
    LCaptionPane fCaption;
    LCaptionPane fDash;
    CNumVol fHold;
    CNumVol fLow;
    CNumVol fHigh;
};
