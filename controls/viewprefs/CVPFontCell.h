#pragma once
#include "controls/lists/LCellFrame.h"
#include "controls/widgets/CTextSlot.h"
#include "ui/draw/LSeparatorPane.h"
#include "ui/panes/LCaptionPane.h"

// One row of the view-font list: the name of the kind of view, a text slot with the chosen
// family (cleared by Backspace or Delete) and a separator, placed by layout "CVPFONTCELL".
class CVPFontCell : public LCellFrame {
public:
    static const char* const kResName;   // "CVPFONTCELL"

    explicit CVPFontCell(LPane* grid);

    LCaptionPane& Name() { return fName; }
    CTextSlot& FontSlot() { return fSlot; }

protected:
    // The name column is at least as wide as the longest name of the list in its font.
    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;

private:
    LCaptionPane fName;
    CTextSlot fSlot;
    LSeparatorPane fSeparator;
};
