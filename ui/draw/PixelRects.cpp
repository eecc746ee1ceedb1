#include "ui/draw/PixelRects.h"

#include <limits>

plat::PixelRect PixelRectOf(const CLRect& r)
{
    auto clampSize = [](int64_t size) {
        return static_cast<int>(std::min<int64_t>(std::max<int64_t>(size, 0), std::numeric_limits<int>::max()));
    };
    return {r.left, r.top, clampSize(r.Width()), clampSize(r.Height())};
}

std::vector<plat::PixelRect> PixelRects(const LRegion& region)
{
    LRectList rects;
    region.GetRects(rects);
    std::vector<plat::PixelRect> pixels;
    pixels.reserve(rects.Count());
    for (uint32_t i = 0; i < rects.Count(); ++i)
        pixels.push_back(PixelRectOf(rects[i]));
    return pixels;
}
