#pragma once
#include "controls/lists/LCellFrame.h"
#include "outputs/defs/CCtlPanel.h"
#include "ui/draw/LSeparatorPane.h"

// One column of the MIDI console: the control panel of one MIDI channel and a separator on
// its right, placed by layout "CMIDICONSOLECELL".
class CMIDICONSOLECELL : public LCellFrame {
public:
    static const char* const kResName;  // "CMIDICONSOLECELL"

    explicit CMIDICONSOLECELL(LPane* grid);

    CCtlPanel& Panel() { return fPanel; }
    const CCtlPanel& Panel() const { return fPanel; }

private:
    CCtlPanel fPanel;
    LSeparatorPane fSeparator;
};
