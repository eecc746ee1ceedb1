#include "ui/bridges/TextColorToNSColor.h"

#include "controls/CColor.h"
#include "platform/draw/SystemColors.h"

namespace {

constexpr uint32_t kOwnRGB = 255;

} // namespace

plat::Color TextColorToNSColor(const CColor* color)
{
    using plat::SystemColor;
    const uint32_t kind = color ? color->index : 0;
    switch (kind) {
    case 1: return plat::SystemColorValue(SystemColor::SelectedText);
    case 2:
    case 8: return plat::SystemColorValue(SystemColor::DisabledControlText);
    case 3: return plat::Color{1.0, 1.0, 1.0, 1.0};
    case 4: return plat::Color{0.0, 0.0, 0.0, 1.0};
    case 5: return plat::Color{0.5, 0.5, 0.5, 1.0};
    case 6: return plat::SystemColorValue(SystemColor::ControlText);
    case 7: return plat::SystemColorValue(SystemColor::SelectedControlText);
    case kOwnRGB: return plat::Color{color->red / 255.0, color->green / 255.0, color->blue / 255.0, 1.0};
    default: return plat::SystemColorValue(SystemColor::Text);
    }
}
