#include "platform/draw/SystemColors.h"

namespace plat {

namespace {

constexpr Color Rgb(int r, int g, int b, double a = 1.0) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

} // namespace

Color SystemColorValue(SystemColor which)
{
    switch (which) {
    case SystemColor::WindowBackground: return Rgb(0xEC, 0xEC, 0xEC);
    case SystemColor::SelectedTextBackground: return Rgb(0xB3, 0xD7, 0xFF);
    case SystemColor::KeyboardFocusIndicator: return Rgb(0x3C, 0x78, 0xD8, 0.75);
    case SystemColor::TextBackground: return Rgb(0xFF, 0xFF, 0xFF);
    case SystemColor::Text: return Rgb(0x00, 0x00, 0x00);
    case SystemColor::SelectedText: return Rgb(0x00, 0x00, 0x00);
    case SystemColor::DisabledControlText: return Rgb(0x00, 0x00, 0x00, 0.25);
    case SystemColor::ControlText: return Rgb(0x00, 0x00, 0x00);
    case SystemColor::SelectedControlText: return Rgb(0x00, 0x00, 0x00);
    }
    return Rgb(0, 0, 0);
}

} // namespace plat
