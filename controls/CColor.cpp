#include "controls/CColor.h"
#include "platform/draw/SystemColors.h"
#include "ui/draw/LPortState.h"

#include <vector>

namespace {

plat::SystemColor NamedColor(int32_t colorId)
{
    switch (colorId) {
    case 3: return plat::SystemColor::SelectedTextBackground;
    case 4:
    case 5: return plat::SystemColor::KeyboardFocusIndicator;
    case 6: return plat::SystemColor::TextBackground;
    case 7: return plat::SystemColor::Text;
    default: return plat::SystemColor::WindowBackground;
    }
}

} // namespace

CColor* CColor::FindOrMake(const LColorRecord& key, Lifetime lifetime)
{
    if (auto* found = dynamic_cast<CColor*>(FindRegistered(key)))
        return found;
    auto* color = new CColor;
    color->red = key.red;
    color->green = key.green;
    color->blue = key.blue;
    color->index = key.index;
    color->colorId = key.colorId;
    color->alpha = key.alpha;
    if (lifetime == Lifetime::Permanent) {
        color->MakePermanent();
        // Kept in reach for the whole run; the registry list alone lets go of its nodes at exit.
        static std::vector<CColor*>& permanent = *new std::vector<CColor*>;
        permanent.push_back(color);
    }
    Register(color);
    return color;
}

CColor* CColor::Grey(uint32_t level)
{
    static constexpr uint8_t kLevels[] = {0x40, 0x80, 0xC0, 0xFF};
    LColorRecord key;
    uint8_t value = level >= 1 && level <= 4 ? kLevels[level - 1] : 0;
    key.red = key.green = key.blue = value;
    key.index = level;
    return FindOrMake(key, Lifetime::Permanent);
}

CColor* CColor::FromId(int32_t colorId)
{
    LColorRecord key;
    key.colorId = colorId;
    return FindOrMake(key, Lifetime::Permanent);
}

CColor* CColor::FromRGB(uint8_t red, uint8_t green, uint8_t blue, uint32_t index, float alpha)
{
    LColorRecord key;
    key.red = red;
    key.green = green;
    key.blue = blue;
    key.index = index;
    key.alpha = alpha;
    return FindOrMake(key, Lifetime::Counted);
}

void CColor::AssignGrey(CColorRef& handle, uint32_t level) { handle.Assign(Grey(level)); }
void CColor::AssignById(CColorRef& handle, int32_t colorId) { handle.Assign(FromId(colorId)); }

void CColor::AssignRGB(CColorRef& handle, const LRGB& rgb, uint32_t index)
{
    handle.Assign(FromRGB(rgb.red, rgb.green, rgb.blue, index, 1.0f));
}

void CColor::AssignRGBA(CColorRef& handle, const LRGB& rgb, uint32_t index, float alpha)
{
    handle.Assign(FromRGB(rgb.red, rgb.green, rgb.blue, index, alpha));
}

plat::Color CColor::PlatformColor() const
{
    if (colorId >= 0 && colorId <= 7)
        return plat::SystemColorValue(NamedColor(colorId));
    return {red / 255.0, green / 255.0, blue / 255.0, static_cast<double>(alpha)};
}

void SetContextColors(const CColor* color, LPortState& port, uint8_t defer)
{
    plat::Canvas* canvas = port.Context();
    if (defer || !canvas)
        return;
    plat::Color value = color ? color->PlatformColor() : plat::Color{0.0, 0.0, 0.0, 1.0};
    canvas->SetFillColor(value);
    canvas->SetStrokeColor(value);
}
