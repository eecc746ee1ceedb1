#include "shell/windows/ColorConversions.h"

#include <algorithm>
#include <cmath>

namespace {

// Out-of-range and undefined components are held to the nearest end of 0 ... 1.
float Unit(double value)
{
    return std::isnan(value) ? 0.0f : static_cast<float>(std::clamp(value, 0.0, 1.0));
}

} // namespace

SRGBA NSColorGetRGBA(const plat::Color& color)
{
    return SRGBA{Unit(color.red), Unit(color.green), Unit(color.blue), Unit(color.alpha)};
}

LRGB NSColorToLRGB(const plat::Color& color)
{
    const SRGBA c = NSColorGetRGBA(color);
    LRGB rgb;
    rgb.Set(int32_t(c.red * 255.0f), int32_t(c.green * 255.0f), int32_t(c.blue * 255.0f));
    return rgb;
}

plat::Color LRGBToNSColor(const LRGB& rgb)
{
    return plat::Color{rgb.red / 255.0, rgb.green / 255.0, rgb.blue / 255.0, 1.0};
}
