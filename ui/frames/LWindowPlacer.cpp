#include "ui/frames/LWindowPlacer.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/Displays.h"
#include "ui/windows/LWindow.h"

#include <algorithm>

const char* LWindowPlacer::msgGrow = "LWindowPlacer_Grow";
const char* LWindowPlacer::msgSizing = "LWindowPlacer_Sizing";
const char* LWindowPlacer::msgPrefer = "LWindowPlacer_Prefer";

namespace {

int32_t ToI32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

LWindowPlacer::LWindowPlacer(LWindow* window, const CLRect& content, const CLRect& frame, const CLRect& area)
    : window(window)
{
    SetArea(content, frame, area);
}

// With the area's edges L, T, R, B and the frame's insets around the content, the window frame
// for the area as content is F = {L - il, T - it, R + ir, B + ib}; the content may then use
// the area less the insets on every side.
void LWindowPlacer::SetArea(const CLRect& content, const CLRect& frame, const CLRect& area)
{
    width = ToI32(content.Width());
    height = ToI32(content.Height());
    const int64_t il = int64_t(content.left) - frame.left, it = int64_t(content.top) - frame.top;
    const int64_t ir = int64_t(frame.right) - content.right, ib = int64_t(frame.bottom) - content.bottom;
    const int64_t fl = area.left - il, ft = area.top - it, fr = area.right + ir, fb = area.bottom + ib;
    maxWidth = std::max(0, ToI32(2 * (int64_t(area.right) - area.left) - (fr - fl)));
    maxHeight = std::max(0, ToI32(2 * (int64_t(area.bottom) - area.top) - (fb - ft)));
    bounds = {ToI32(2 * int64_t(area.left) - fl), ToI32(2 * int64_t(area.top) - ft),
              ToI32(2 * int64_t(area.right) - fr), ToI32(2 * int64_t(area.bottom) - fb)};
}

namespace {

// The visible screen area a window is sized on: all displays, or the display that holds most
// of the window (the main display when none does).
CLRect VisibleArea(const CLRect& frame, bool allDisplays)
{
    if (allDisplays)
        return CDesktop::ClipToScreens(CDesktop::GetDisplaysUnion(false));
    uint32_t display = CDesktop::FindDisplayForRect(frame);
    if (display == 0)
        display = MainDisplayId();
    return CDesktop::ClipToScreens(GetDisplayBounds(display));
}

} // namespace

LWindowPlacer::LWindowPlacer(LWindow* window, bool allDisplays) : window(window)
{
    if (!window)
        return;
    const CLRect content = window->GetContentRect();
    const CLRect frame = window->GetFrameRect();
    SetArea(content, frame, VisibleArea(frame, allDisplays));
}

void LWindowPlacer::SetLimits(int32_t minW, int32_t minH, int32_t maxW, int32_t maxH)
{
    const int32_t oldMaxW = maxWidth, oldMaxH = maxHeight;
    minWidth = std::min(minW, oldMaxW);
    minHeight = std::min(minH, oldMaxH);
    maxWidth = std::min(maxW, oldMaxW);
    maxHeight = std::min(maxH, oldMaxH);
}

// Growing handlers only raise the minimum: a layout that asks for less than the smallest
// window keeps the smallest window.
void LWindowPlacer::SetMinSize(int32_t w, int32_t h)
{
    minWidth = std::min(std::max(minWidth, w), maxWidth);
    minHeight = std::min(std::max(minHeight, h), maxHeight);
}

int32_t LWindowPlacer::Clamp(int32_t value, int32_t minimum, int32_t maximum)
{
    if (value > maximum || std::min(value, maximum) < minimum)
        return std::max(minimum, std::min(value, maximum));
    return value;
}
