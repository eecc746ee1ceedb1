#include "controls/panels/CColorDialog_Cca.h"
#include "platform/window/ColorPanel.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t ToByte(double component)
{
    return uint8_t(std::lround(std::clamp(component, 0.0, 1.0) * 255.0));
}

} // namespace

void CColorDialog_Cca::SetColor(uint8_t red, uint8_t green, uint8_t blue)
{
    plat::ColorPanel::Shared().SetColor({red / 255.0, green / 255.0, blue / 255.0});
}

void CColorDialog_Cca::Run(void* argument, Callback callback)
{
    fArgument = argument;
    fCallback = callback;
    plat::ColorPanel& panel = plat::ColorPanel::Shared();
    panel.SetAction([this] { Report(); });
    panel.SetCloseHandler([] { return 1; });
    panel.SetShowsAlpha(false);
    const int answer = panel.RunModal();
    panel.SetAction(nullptr);
    panel.SetCloseHandler(nullptr);
    fAccepted = answer == 1;
}

void CColorDialog_Cca::Report() const
{
    if (!fCallback)
        return;
    const plat::ColorPanel::RGB& color = plat::ColorPanel::Shared().Color();
    fCallback(fArgument, ToByte(color.red), ToByte(color.green), ToByte(color.blue));
}
