#pragma once
#include "analysis/events/CEventList.h"
#include "controls/lists/LListNavi.h"
#include "controls/std/CStateButton.h"
#include "controls/std/LStdCheck.h"
#include "ui/frames/LFrame.h"

class LObjRoot;
class LObject;
struct LWindowDef;

// The event-text window of a document: a floating panel with add and delete buttons, a check
// box that switches the emission of texts by time on and off, and the list of event texts.
// Placed by layout "EVTXWIN"; its texts are the 'CST#' list of that name.
class CEventWindow : public LFrame {
public:
    static const char* const kResName;  // "EVTXWIN"

    // `windowRecord` is the document's 'WIND' record; its 'evwp' rectangle places the window.
    CEventWindow(LHandler* parent, const LWindowDef& def, LObjRoot* holder, LObject* windowRecord);
    ~CEventWindow() override;

    // The window definition the document window gives it: a floating panel.
    static LWindowDef PanelDef();

    CStateButton& AddButton() { return fAdd; }
    CStateButton& DeleteButton() { return fDelete; }
    LStdCheck& TimedCheck() { return fTimed; }
    LListNavi& Navi() { return fNavi; }
    CEventList& List() { return fList; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void UpdateDeleteButton();

    LObject* fWindowRecord;
    CStateButton fAdd;
    CStateButton fDelete;
    LStdCheck fTimed;
    LListNavi fNavi;
    CEventList fList;
};
