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
    : fWindow(window), fWidth(ToI32(content.Width())), fHeight(ToI32(content.Height()))
{
    const int64_t il = int64_t(content.left) - frame.left, it = int64_t(content.top) - frame.top;
    const int64_t ir = int64_t(frame.right) - content.right, ib = int64_t(frame.bottom) - content.bottom;
    const int64_t fl = area.left - il, ft = area.top - it, fr = area.right + ir, fb = area.bottom + ib;
    fMaxWidth = std::max(0, ToI32(2 * (int64_t(area.right) - area.left) - (fr - fl)));
    fMaxHeight = std::max(0, ToI32(2 * (int64_t(area.bottom) - area.top) - (fb - ft)));
    fBounds = {ToI32(2 * int64_t(area.left) - fl), ToI32(2 * int64_t(area.top) - ft),
               ToI32(2 * int64_t(area.right) - fr), ToI32(2 * int64_t(area.bottom) - fb)};
}

void LWindowPlacer::SetSize(int32_t width, int32_t height)
{
    fWidth = width;
    fHeight = height;
}

void LWindowPlacer::SetLimits(int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight)
{
    fMinWidth = std::min(minWidth, fMaxWidth);
    fMinHeight = std::min(minHeight, fMaxHeight);
    fMaxWidth = std::min(maxWidth, fMaxWidth);
    fMaxHeight = std::min(maxHeight, fMaxHeight);
}

// Growing handlers only raise the minimum: a layout that asks for less than the smallest
// window keeps the smallest window.
void LWindowPlacer::SetMinSize(int32_t width, int32_t height)
{
    fMinWidth = std::min(std::max(fMinWidth, width), fMaxWidth);
    fMinHeight = std::min(std::max(fMinHeight, height), fMaxHeight);
}

int32_t LWindowPlacer::Clamp(int32_t value, int32_t minimum, int32_t maximum)
{
    if (value > maximum || std::min(value, maximum) < minimum)
        return std::max(minimum, std::min(value, maximum));
    return value;
}
