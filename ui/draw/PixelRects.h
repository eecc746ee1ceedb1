#pragma once
#include "foundation/geometry/LRegion.h"
#include "platform/draw/Canvas.h"

#include <vector>

// The rectangles a region is made of, as canvas pixel rectangles.
std::vector<plat::PixelRect> PixelRects(const LRegion& region);
// One rectangle as a canvas pixel rectangle.
plat::PixelRect PixelRectOf(const CLRect& rect);
