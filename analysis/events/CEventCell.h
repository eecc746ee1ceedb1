#pragma once
#include "analysis/events/CTimecodeEdit.h"
#include "controls/edit/LEditText.h"
#include "controls/lists/LCellFrame.h"
#include "controls/std/CStateButton.h"

// One row of the event-text window: a button that emits the row's text at once, the time as a
// timecode and the text, placed by layout "EVTXCELL".
class CEventCell : public LCellFrame {
public:
    static const char* const kResName;  // "EVTXCELL"

    explicit CEventCell(LPane* grid);

    CStateButton& EmitButton() { return fEmit; }
    CTimecodeEdit& Time() { return fTime; }
    LEditText& Text() { return fText; }

private:
    CStateButton fEmit;
    CTimecodeEdit fTime;
    LEditText fText;
};
