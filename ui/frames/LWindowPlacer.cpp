#include "ui/frames/LWindowPlacer.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/Displays.h"
#include "ui/windows/LWindow.h"

#include <algorithm>

const char* LWindowPlacer::msgGrow = "LWindowPlacer_Grow";
const char* LWindowPlacer::msgSizing = "LWindowPlacer_Sizing";

LWindowPlacer::LWindowPlacer(LWindow* window, bool allDisplays) : LHandler(nullptr), window(window)
{
    const CLRect content = window ? window->GetContentRect() : CLRect{};
    width = static_cast<int32_t>(content.Width());
    height = static_cast<int32_t>(content.Height());
    const CLRect frame = window ? window->GetFrameRect() : content;
    uint32_t display = CDesktop::FindDisplayForRect(frame);
    if (display == 0)
        display = MainDisplayId();
    CLRect area = CDesktop::ClipToScreens(allDisplays ? CDesktop::GetDisplaysUnion(false) : GetDisplayBounds(display));
    // Shrink the area by the frame's insets around the content.
    area.left += content.left - frame.left;
    area.top += content.top - frame.top;
    area.right -= frame.right - content.right;
    area.bottom -= frame.bottom - content.bottom;
    bounds = area;
    maxWidth = static_cast<int32_t>(std::max<int64_t>(area.Width(), 0));
    maxHeight = static_cast<int32_t>(std::max<int64_t>(area.Height(), 0));
}

void LWindowPlacer::SetLimits(int32_t minW, int32_t minH, int32_t maxW, int32_t maxH)
{
    const int32_t oldMaxW = maxWidth, oldMaxH = maxHeight;
    minWidth = std::min(minW, oldMaxW);
    minHeight = std::min(minH, oldMaxH);
    maxWidth = std::min(maxW, oldMaxW);
    maxHeight = std::min(maxH, oldMaxH);
}

void LWindowPlacer::SetMinSize(int32_t w, int32_t h)
{
    minWidth = std::min(w, maxWidth);
    minHeight = std::min(h, maxHeight);
}
