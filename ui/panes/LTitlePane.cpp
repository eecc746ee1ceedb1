#include "ui/panes/LTitlePane.h"

const char* LTitlePane::msgConstructing = "LTitlePane_Constructing";
const char* LTitlePane::msgDestructing = "LTitlePane_Destructing";

LTitlePane::LTitlePane(LHandler* parent, LPane* host) : LCaptionPane(parent, host, CTextDrawer::kModeLine)
{
    SetState(kEventNotTransparent);
    SetAlignment(CTextDrawer::kAlignRight);
    Announce(msgConstructing, Host());
}

LTitlePane::~LTitlePane()
{
    Announce(msgDestructing, Host());
}
