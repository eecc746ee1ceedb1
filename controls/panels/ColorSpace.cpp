#include "controls/panels/ColorSpace.h"
#include "foundation/persist/XmlText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kHexDigits = 6;

// A component held to 0..1; anything that is no number counts as 0.
double Unit(double component)
{
    return component >= 0.0 ? std::min(component, 1.0) : 0.0;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

RgbColor RgbFromHsv(const HsvColor& hsv)
{
    const double v = Unit(hsv.value / 100.0);
    const double s = Unit(hsv.saturation / 100.0);
    const double h = std::fmod(Unit(hsv.hue / 360.0) * 6.0, 6.0);
    const int sector = int(h);
    const double f = h - sector;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (sector) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
    }
}

HsvColor HsvFromRgb(const RgbColor& rgb, const HsvColor& previous)
{
    const double r = Unit(rgb.red), g = Unit(rgb.green), b = Unit(rgb.blue);
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    const double range = high - low;
    HsvColor hsv{previous.hue, previous.saturation, high * 100.0};
    if (high <= 0.0)
        return hsv;
    hsv.saturation = range / high * 100.0;
    if (range <= 0.0)
        return hsv;
    double hue = 0;
    if (high == r)
        hue = std::fmod((g - b) / range + 6.0, 6.0);
    else if (high == g)
        hue = (b - r) / range + 2.0;
    else
        hue = (r - g) / range + 4.0;
    hsv.hue = hue * 60.0;
    return hsv;
}

RgbColor ClampedRgb(const RgbColor& rgb)
{
    return RgbColor{Unit(rgb.red), Unit(rgb.green), Unit(rgb.blue)};
}

uint8_t ComponentByte(double component)
{
    return uint8_t(std::lround(Unit(component) * 255.0));
}

std::string HexText(const RgbColor& rgb)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const double c : {rgb.red, rgb.green, rgb.blue}) {
        const uint8_t byte = ComponentByte(c);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::optional<RgbColor> ParseHex(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() != kHexDigits)
        return std::nullopt;
    double components[3];
    for (size_t i = 0; i < 3; ++i) {
        const int high = HexDigitValue(text[2 * i]), low = HexDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        components[i] = (high * 16 + low) / 255.0;
    }
    return RgbColor{components[0], components[1], components[2]};
}
