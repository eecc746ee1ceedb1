#pragma once
#include "ui/panes/LCaptionPane.h"

// The caption used as the title of a control (a pop-up list adopts one as its caption): one
// line, right-aligned, and unlike a plain caption it takes clicks. It announces itself to its
// host by messages.
class LTitlePane : public LCaptionPane {
public:
    static const char* msgConstructing;   // {title, host}
    static const char* msgDestructing;    // {title, host}

    LTitlePane(LHandler* parent, LPane* host);
    ~LTitlePane() override;
};
