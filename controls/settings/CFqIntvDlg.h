#pragma once
#include "controls/edit/CNumVol.h"
#include "controls/std/LStdButton.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

// Asks for the width of the frequency bands in Hz (1 to 20000).
class CFqIntvDlg : public LModalDialog {
public:
    static const char* const kResName;   // "FQINTVDLG"

    explicit CFqIntvDlg(LHandler* parent);

    CNumVol& Field() { return fField; }

private:
    LStdButton fOk;
    LStdButton fCancel;
    LCaptionPane fCaption;
    CNumVol fField;
};
