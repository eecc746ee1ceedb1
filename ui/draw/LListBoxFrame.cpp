#include "ui/draw/LListBoxFrame.h"
#include "platform/draw/ThemeFrames.h"

void LListBoxFrame::Draw(LPortState& port, const CLRect& rect, uint32_t state) const
{
    DrawKind(port, rect, state, static_cast<int>(plat::FrameKind::ListBox));
}
