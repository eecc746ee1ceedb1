#pragma once
#include "controls/headers/CRowHeader.h"
#include "controls/lists/LListNavi.h"
#include "outputs/consoles/CMIDIConsoleList.h"
#include "ui/frames/LFrame.h"

struct CDefNode;
struct LWindowDef;

// The MIDI console: a floating window with one column of controls per MIDI channel and the
// controls' titles in a row header beside them. The window can only grow in height.
//
// The document window makes it from its document and the document's MIDI console table, loads
// the "midiconsole" definitions for it and shows it on "CAppCmd_MidiConsole".
class CMIDICONSOLE : public LFrame {
public:
    static const char* const kResName;  // "CMIDICONSOLE"

    CMIDICONSOLE(LHandler* parent, const LWindowDef& def, LObjRoot* holder, LObject* table);
    ~CMIDICONSOLE() override;

    // Shows the controls of a "controls" node (null: none) and fits the window to them.
    void SetDefinitions(const CDefNode* controls);

    CMIDIConsoleList& List() { return fList; }
    CRowHeader& Header() { return fHeader; }
    LListNavi& Navi() { return fNavi; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    // Sets "naviw", the width of the navigator showing all 16 columns, for the layout.
    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;
    void FinishLayout(LPaneContext& context, LFormulaLayout& layout) override;

private:
    CRowHeader fHeader;
    LListNavi fNavi;
    CMIDIConsoleList fList;
};
