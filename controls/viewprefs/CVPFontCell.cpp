#include "controls/viewprefs/CVPFontCell.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFont.h"
#include "ui/panes/LPaneFlags.h"

const char* const CVPFontCell::kResName = "CVPFONTCELL";

CVPFontCell::CVPFontCell(LPane* grid)
    : LCellFrame(grid), fName(this, this, 0), fSlot(this, this, CTextSlot::kClearable), fSeparator(this, this)
{
    // The row's name in the system font: a caption without a font draws nothing.
    (void)fName.SetFont(LFont(0));
    fSlot.SetState(kEventTakeFocusOuter);
    fSlot.SetState(kEventFocusOnClick);
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, LFrame::kFormulaLayout);
}
