#include "analysis/events/CEventCell.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFontData.h"

const char* const CEventCell::kResName = "EVTXCELL";

namespace {

constexpr uint32_t kNoOptions = 0;
constexpr uint32_t kNoStyle = 0;

LStdCtlDesc ButtonDesc()
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(LFontData::kSmallSystemFont));
    return desc;
}

} // namespace

CEventCell::CEventCell(LPane* grid)
    : LCellFrame(grid), fEmit(this, ButtonDesc(), kNoOptions), fTime(this, Timecode::kSeconds, false),
      fText(this, LEditText::kSingleLine, kNoStyle)
{
    fTime.SetFont(LFont(LFontData::kSmallSystemFont));
    fText.SetFont(LFont(LFontData::kSmallSystemFont));
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}
