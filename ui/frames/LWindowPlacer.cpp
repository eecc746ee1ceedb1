#include "ui/frames/LWindowPlacer.h"

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

// With the area's edges L, T, R, B and the frame's insets around the content, the window frame
// for the area as content is F = {L - il, T - it, R + ir, B + ib}; the content may then use
// the area less the insets on every side.
LWindowPlacer::LWindowPlacer(LWindow* window, const CLRect& content, const CLRect& frame, const CLRect& area)
    : window(window), width(ToI32(content.Width())), height(ToI32(content.Height()))
{
    const int64_t il = int64_t(content.left) - frame.left, it = int64_t(content.top) - frame.top;
    const int64_t ir = int64_t(frame.right) - content.right, ib = int64_t(frame.bottom) - content.bottom;
    const int64_t fl = area.left - il, ft = area.top - it, fr = area.right + ir, fb = area.bottom + ib;
    maxWidth = std::max(0, ToI32(2 * (int64_t(area.right) - area.left) - (fr - fl)));
    maxHeight = std::max(0, ToI32(2 * (int64_t(area.bottom) - area.top) - (fb - ft)));
    bounds = {ToI32(2 * int64_t(area.left) - fl), ToI32(2 * int64_t(area.top) - ft),
               ToI32(2 * int64_t(area.right) - fr), ToI32(2 * int64_t(area.bottom) - fb)};
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
