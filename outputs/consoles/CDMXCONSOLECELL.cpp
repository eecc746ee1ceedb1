#include "outputs/consoles/CDMXCONSOLECELL.h"

#include "outputs/consoles/ConsoleParts.h"
#include "shell/draw/LFont.h"

const char* const CDMXCONSOLECELL::kResName = "CDMXCONSOLECELL";

namespace {

constexpr uint32_t kCaptionFont = 2;
constexpr int32_t kOneLine = 0;
constexpr int32_t kCentred = 1;
constexpr int32_t kMaxLevel = 255;

} // namespace

CDMXCONSOLECELL::CDMXCONSOLECELL(LPane* grid)
    : LCellFrame(grid), fCaption(this, this, kOneLine), fSlider(this), fSeparator(this, this)
{
    fCaption.SetFont(LFont(kCaptionFont));
    fCaption.SetAlignment(kCentred);
    fSlider.SetRange(0, kMaxLevel);
    LoadConsoleLayout(*this, kResName);
}
