#include "controls/viewprefs/CVPFontCell.h"
#include "controls/viewprefs/CVPFontList.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFont.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LDrawPort.h"
#include "ui/panes/LPaneFlags.h"

#include <algorithm>

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

void CVPFontCell::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LCellFrame::PrepareLayout(context, layout);
    LDrawPort port(context);
    CTextDrawer name;
    name.SetFont(fName.Font());
    LStrList names({0, CVPFontList::kResName}, nullptr, kStrListDialogTexts);
    int32_t widest = layout.GetVariable("namew");
    for (uint32_t i = 0; i < names.Count(); ++i) {
        name.SetText(names.GetItem(i));
        widest = std::max(widest, name.GetTextWidth(port));
    }
    (void)layout.SetVariable("namew", widest);
}
