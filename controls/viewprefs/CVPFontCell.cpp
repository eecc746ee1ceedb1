#include "controls/viewprefs/CVPFontCell.h"
#include "foundation/text/LStrList.h"
#include "ui/panes/LPaneFlags.h"

const char* const CVPFontCell::kResName = "CVPFONTCELL";

CVPFontCell::CVPFontCell(LPane* grid)
    : LCellFrame(grid), fName(this, this, 0), fSlot(this, this, CTextSlot::kClearable), fSeparator(this, this)
{
    fSlot.SetState(kEventTakeFocusOuter);
    fSlot.SetState(kEventFocusOnClick);
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, LFrame::kFormulaLayout);
}
