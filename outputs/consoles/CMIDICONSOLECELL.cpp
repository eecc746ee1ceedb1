#include "outputs/consoles/CMIDICONSOLECELL.h"

#include "foundation/text/LStrList.h"

const char* const CMIDICONSOLECELL::kResName = "CMIDICONSOLECELL";

CMIDICONSOLECELL::CMIDICONSOLECELL(LPane* grid) : LCellFrame(grid), fPanel(this, this), fSeparator(this, this)
{
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}
