#pragma once
#include "controls/lists/LCellFrame.h"
#include "controls/std/CSlider.h"
#include "ui/draw/LSeparatorPane.h"
#include "ui/panes/LCaptionPane.h"

// One channel of the DMX console: its number over a slider of 0 to 255 and a separator on the
// right, placed by layout "CDMXCONSOLECELL".
class CDMXCONSOLECELL : public LCellFrame {
public:
    static const char* const kResName;  // "CDMXCONSOLECELL"

    explicit CDMXCONSOLECELL(LPane* grid);

    LCaptionPane& Caption() { return fCaption; }
    CSlider& Slider() { return fSlider; }

private:
    LCaptionPane fCaption;
    CSlider fSlider;
    LSeparatorPane fSeparator;
};
