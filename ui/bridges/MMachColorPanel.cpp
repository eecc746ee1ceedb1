#include "ui/bridges/MMachColorPanel.h"

#include "platform/app/Application.h"

#include <algorithm>

namespace {

float Unit(double value)
{
    return static_cast<float>(std::clamp(value, 0.0, 1.0));
}

} // namespace

void MMachColorPanel::ChangeColor(const MPanelColor& color)
{
    if (!mCB)
        return;
    const double* c = color.components;
    float rgba[4] = {0, 0, 0, Unit(color.alpha)};
    switch (color.model) {
    case MPanelColor::kRGB:
        rgba[0] = Unit(c[0]), rgba[1] = Unit(c[1]), rgba[2] = Unit(c[2]);
        break;
    case MPanelColor::kGray:
        rgba[0] = rgba[1] = rgba[2] = Unit(c[0]);
        break;
    case MPanelColor::kCMYK:
        rgba[0] = Unit((1 - c[0]) * (1 - c[3]));
        rgba[1] = Unit((1 - c[1]) * (1 - c[3]));
        rgba[2] = Unit((1 - c[2]) * (1 - c[3]));
        break;
    default:
        break; // an unknown model reports black
    }
    mCB(mRef, rgba, kColorChanged);
}

void MMachColorPanel::WindowWillClose()
{
    if (mModal)
        plat::Application::Shared().StopModal();
}
