#include "controls/panels/CFilePanelRunner.h"
#include "controls/panels/CFilePanelWindow.h"
#include "platform/window/FilePanel.h"
#include "shell/mainloop/CMainLoopBase.h"

void InstallFilePanelRunner()
{
    plat::FilePanel::SetRunner([](plat::FilePanel& panel) {
        // The window belongs to the application, whose main loop runs its modal steps.
        CFilePanelWindow window(GetAppHandler(), panel);
        return window.Run();
    });
}

void RemoveFilePanelRunner()
{
    plat::FilePanel::SetRunner(nullptr);
}
