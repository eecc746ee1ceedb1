#include "ui/draw/LSeparatorPane.h"
#include "platform/draw/ThemeFrames.h"
#include "shell/draw/LPortStateScope.h"
#include "shell/system/LSystemInfo.h"
#include "ui/draw/LPortState.h"

namespace {

int32_t SeparatorThickness() { return 1 + static_cast<int32_t>(LSystemInfo::Global().reserved0[0] & 1); }

} // namespace

LSeparatorPane::LSeparatorPane(LHandler* parent, LPane* host) : LPane(parent, host)
{
    SetFlagBits(kPaneTransparent | kPaneOpaque, true);
}

int32_t LSeparatorPane::PrefWidth(LPaneContext*, int32_t) { return SeparatorThickness(); }
int32_t LSeparatorPane::PrefHeight(LPaneContext*, int32_t) { return SeparatorThickness(); }

void LSeparatorPane::DrawSelf(LPortState& port) const
{
    plat::Canvas* canvas = port.Context();
    if (!canvas)
        return;
    LPortStateScope saved(port);
    plat::DrawSeparator(*canvas, Rect().ToCGRect(), plat::FrameActivity::Active);
}
