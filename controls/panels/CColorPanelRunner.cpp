#include "controls/panels/CColorPanelRunner.h"
#include "controls/panels/CColorPanelWindow.h"
#include "platform/window/ColorPanel.h"
#include "shell/mainloop/CMainLoopBase.h"

void InstallColorPanelRunner()
{
    plat::ColorPanel::SetRunner([](plat::ColorPanel& panel) {
        // The window belongs to the application, whose main loop runs its modal steps.
        CColorPanelWindow window(GetAppHandler(), panel);
        return window.Run();
    });
}

void RemoveColorPanelRunner()
{
    plat::ColorPanel::SetRunner(nullptr);
}
