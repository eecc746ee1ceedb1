#pragma once
#include "foundation/geometry/CLRect.h"

#include <cstdint>

// Draws evenly spaced lines across the rectangle in the current GL context: vertical lines
// along x (left to right) or horizontal ones along y (top to bottom), `step` apart on an axis
// whose extent stands for `range`, shifted by `origin` of the extent; blended in `color`
// (red, green, blue, alpha bytes). Nothing for a step, range or extent that is not positive.
void DrawGridLines(const CLRect& rect, bool vertical, const uint8_t color[4], float range, float step, float origin);
