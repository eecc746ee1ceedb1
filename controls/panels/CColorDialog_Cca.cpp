#include "controls/panels/CColorDialog_Cca.h"
#include "controls/panels/ColorSpace.h"
#include "platform/window/ColorPanel.h"

void CColorDialog_Cca::SetColor(uint8_t red, uint8_t green, uint8_t blue)
{
    plat::ColorPanel::Shared().SetColor({red / 255.0, green / 255.0, blue / 255.0});
}

void CColorDialog_Cca::Run(void* argument, Callback callback)
{
    plat::ColorPanel& panel = plat::ColorPanel::Shared();
    // The panel is open for another owner: this run is cancelled and leaves that one alone.
    if (panel.IsRunning()) {
        fAccepted = false;
        return;
    }
    fArgument = argument;
    fCallback = callback;
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
    fCallback(fArgument, ComponentByte(color.red), ComponentByte(color.green), ComponentByte(color.blue));
}
