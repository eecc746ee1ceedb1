#pragma once
#include "controls/lists/LListNavi.h"
#include "outputs/consoles/CDMXConsoleList.h"
#include "ui/frames/LFrame.h"

struct LWindowDef;

// The DMX console: a floating window with a slider for each of the 512 DMX channels, in one
// row scrolled sideways. Its window is at least as large as its layout asks (the frame's own
// handling of the sizing messages) and is laid out again whenever its size changes.
//
// The document window makes it with its document, the document's root record and the field
// 'dmst', and shows it on "CAppCmd_DmxConsole".
class CDMXCONSOLE : public LFrame {
public:
    static const char* const kResName;  // "CDMXCONSOLE"

    CDMXCONSOLE(LHandler* parent, const LWindowDef& def, LObjRoot* holder, LObject* record, uint8_t field);

    CDMXConsoleList& List() { return fList; }
    // Sets "naviw", the width of the navigator showing the first channels, for the layout.
    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;
    LListNavi& Navi() { return fNavi; }

private:
    LListNavi fNavi;
    CDMXConsoleList fList;
};
