#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Colour components as the colour panel edits them: red, green and blue from 0 to 1; hue in
// degrees (0 to 360), saturation and value in percent (0 to 100).
struct RgbColor {
    double red = 0, green = 0, blue = 0;
};
struct HsvColor {
    double hue = 0, saturation = 0, value = 0;
};

RgbColor RgbFromHsv(const HsvColor& hsv);
// The hue of a grey (or of black) cannot be read from it: `previous` keeps its hue then, and
// black keeps its saturation too, so moving the value slider back up restores the colour.
HsvColor HsvFromRgb(const RgbColor& rgb, const HsvColor& previous = {});
// The colour with each component held to 0..1 (not a number: 0).
RgbColor ClampedRgb(const RgbColor& rgb);

// A component 0..1 as a byte, rounded (held to the range; not a number: 0).
uint8_t ComponentByte(double component);
// "#RRGGBB" in upper-case hexadecimal.
std::string HexText(const RgbColor& rgb);
// A colour written as "#RRGGBB" or "RRGGBB" (either letter case, blanks around allowed);
// nothing for any other text.
std::optional<RgbColor> ParseHex(std::string_view text);
