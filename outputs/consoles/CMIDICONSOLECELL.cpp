#include "outputs/consoles/CMIDICONSOLECELL.h"

#include "outputs/consoles/ConsoleParts.h"

const char* const CMIDICONSOLECELL::kResName = "CMIDICONSOLECELL";

CMIDICONSOLECELL::CMIDICONSOLECELL(LPane* grid) : LCellFrame(grid), fPanel(this, this), fSeparator(this, this)
{
    LoadConsoleLayout(*this, kResName);
}
