#pragma once
#include "controls/edit/CNumVol.h"
#include "ui/frames/LFrame.h"
#include "ui/panes/LCaptionPane.h"

// The strip under a channel view that shows its grid step and two cursor readouts: caption,
// number field, caption, number field, caption, laid out by the "GRIDINFOF" layout list. Its
// owner sets the texts and values.
class CGridInfoFrame : public LFrame {
public:
    static const char* const kResName;   // "GRIDINFOF"

    CGridInfoFrame(LHandler* parent, LPane* host);

    // Caption 0 to 2 (left to right) and field 0 or 1.
    LCaptionPane& Caption(int i) { return i == 0 ? fCaption0 : i == 1 ? fCaption1 : fCaption2; }
    // Sets caption i's text. The layout gives each caption the width of its text, so a text
    // that changed places the strip again and shows whole.
    void SetCaptionText(int i, const LStringRef& text);
    CNumVol& Field(int i) { return i == 0 ? fField0 : fField1; }
    const CNumVol& Field(int i) const { return i == 0 ? fField0 : fField1; }

private:
    // In pane order, as the layout numbers them.
    LCaptionPane fCaption0;
    CNumVol fField0;
    LCaptionPane fCaption1;
    CNumVol fField1;
    LCaptionPane fCaption2;
};
