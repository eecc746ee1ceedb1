#include "platform/Geometry.h"

#include <cmath>
#include <utility>

namespace plat {

Rect Integral(const Rect& rect)
{
    double x0 = rect.x, x1 = rect.x + rect.width;
    double y0 = rect.y, y1 = rect.y + rect.height;
    if (x1 < x0)
        std::swap(x0, x1);
    if (y1 < y0)
        std::swap(y0, y1);
    x0 = std::floor(x0);
    y0 = std::floor(y0);
    x1 = std::ceil(x1);
    y1 = std::ceil(y1);
    return Rect{x0, y0, x1 - x0, y1 - y0};
}

bool Contains(const Rect& r, const Point& p)
{
    return p.x >= r.x && p.x < r.x + r.width && p.y >= r.y && p.y < r.y + r.height;
}

} // namespace plat
