#include "controls/panels/PanelDrawing.h"
#include "controls/text/CTextDrawer.h"
#include "shell/draw/LFont.h"

namespace {

constexpr uint32_t kSystemFont = 0;

} // namespace

CColorRef PanelGrey(uint8_t level)
{
    CColorRef grey;
    LRGB rgb;
    rgb.Set(level, level, level);
    CColor::AssignRGB(grey, rgb, 0);
    return grey;
}

void DrawPanelText(LPortState& port, const std::string& text, const CLRect& rect, int32_t alignment)
{
    CTextDrawer drawer;
    (void)drawer.SetFont(LFont(kSystemFont));
    (void)drawer.SetText(LStringRef(text.c_str()));
    (void)drawer.SetAlignment(alignment);
    (void)drawer.SetMode(CTextDrawer::kModeClipped);
    drawer.SetRect(rect);
    drawer.Draw(port);
}
