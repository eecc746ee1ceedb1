#include "ui/draw/LBrush.h"
#include "platform/draw/SystemColors.h"

LBrushRef LBrush::Make(uint32_t kind) { return LBrushRef(new LBrush(kind)); }

LBrushRef LBrush::MakeRGB(uint8_t red, uint8_t green, uint8_t blue)
{
    LBrushRef brush = Make(kRGB);
    brush->red = red;
    brush->green = green;
    brush->blue = blue;
    return brush;
}

bool LBrush::Equals(const LBrush* a, const LBrush* b)
{
    if (!a || !b)
        return !a && !b;
    return a->kind == b->kind && a->red == b->red && a->green == b->green && a->blue == b->blue;
}

plat::Color LBrush::PlatformColor() const
{
    using plat::SystemColor;
    switch (kind) {
    case 1: return plat::SystemColorValue(SystemColor::SelectedText);
    case 2:
    case 8: return plat::SystemColorValue(SystemColor::DisabledControlText);
    case 3: return {1.0, 1.0, 1.0, 1.0};
    case 4: return {0.0, 0.0, 0.0, 1.0};
    case 5: return {0.5, 0.5, 0.5, 1.0};
    case 6: return plat::SystemColorValue(SystemColor::ControlText);
    case 7: return plat::SystemColorValue(SystemColor::SelectedControlText);
    case kRGB: return {red / 255.0, green / 255.0, blue / 255.0, 1.0};
    default: return plat::SystemColorValue(SystemColor::Text);
    }
}

plat::Color BrushColor(const LBrush* brush)
{
    return brush ? brush->PlatformColor() : plat::SystemColorValue(plat::SystemColor::Text);
}
