#pragma once
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/CLRect.h"
#include "platform/Geometry.h"

#include <cstdint>

// Conversions between the framework's screen coordinates (integers, origin at the top-left
// corner of the main screen, y downward) and the window system's (doubles, origin at the
// bottom-left, y upward). Views flip against their own height the same way.

// The flip height: the first screen's height, truncated; 0 without a screen.
int32_t GetMainScreenHeight();
plat::Point PointToNSPoint(const CLPoint& point, int32_t height);
plat::Rect RectToNSRect(const CLRect& rect, int32_t height);
// Each coordinate rounded to the nearest integer, halves away from zero (10.5 → 11, -10.5 → -11).
CLPoint NSPointToPoint(const plat::Point& point, int32_t height);
CLRect NSRectToRect(const plat::Rect& rect, int32_t height);
// {left, top, width, height} without flipping.
plat::Rect RectToCGRect(const CLRect& rect);
