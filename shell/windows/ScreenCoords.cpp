#include "shell/windows/ScreenCoords.h"
#include "platform/window/Screens.h"

#include <cmath>
#include <limits>

namespace {

// Rounds in single precision, halves away from zero, held to the 32-bit range.
int32_t Nearest(double value)
{
    const float rounded = std::round(static_cast<float>(value));
    if (!(rounded > float(std::numeric_limits<int32_t>::min())))
        return std::numeric_limits<int32_t>::min();
    if (rounded >= 2147483648.0f)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(rounded);
}

} // namespace

int32_t GetMainScreenHeight()
{
    const double height = plat::Screens::Main().frame.height;
    if (!(height > 0) || height > double(std::numeric_limits<int32_t>::max()))
        return 0;
    return static_cast<int32_t>(height);
}

plat::Point PointToNSPoint(const CLPoint& point, int32_t height)
{
    return plat::Point{double(point.x), double(height) - point.y};
}

plat::Rect RectToNSRect(const CLRect& rect, int32_t height)
{
    return plat::Rect{double(rect.left), double(height) - rect.bottom, double(rect.Width()), double(rect.Height())};
}

CLPoint NSPointToPoint(const plat::Point& point, int32_t height)
{
    return CLPoint{Nearest(point.x), Nearest(double(height) - point.y)};
}

CLRect NSRectToRect(const plat::Rect& rect, int32_t height)
{
    return CLRect{Nearest(rect.x), Nearest(double(height) - rect.y - rect.height), Nearest(rect.x + rect.width),
                  Nearest(double(height) - rect.y)};
}

plat::Rect RectToCGRect(const CLRect& rect)
{
    return rect.ToCGRect();
}
