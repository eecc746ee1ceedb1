#include "controls/panels/CFontPanelRunner.h"
#include "controls/panels/CFontPanelWindow.h"
#include "platform/window/FontPanel.h"
#include "shell/mainloop/CMainLoopBase.h"

#include <memory>

namespace {

// The floating window, made the first time the panel is shown and kept while it hides.
std::unique_ptr<CFontPanelWindow>& Floating()
{
    static std::unique_ptr<CFontPanelWindow> window;
    return window;
}

void Show(plat::FontPanel& panel)
{
    if (!Floating())
        Floating() = std::make_unique<CFontPanelWindow>(GetAppHandler(), panel, CFontPanelWindow::Mode::Modeless);
    else
        Floating()->ShowSelectedFont();
    Floating()->ShowWindow();
}

void Hide(plat::FontPanel&)
{
    if (Floating())
        Floating()->HideWindow();
}

void RunModal(plat::FontPanel& panel)
{
    Hide(panel);
    // The window belongs to the application, whose main loop runs its modal steps.
    CFontPanelWindow window(GetAppHandler(), panel, CFontPanelWindow::Mode::Modal);
    window.RunUntilClosed();
}

} // namespace

void InstallFontPanelRunner()
{
    plat::FontPanel::SetRunner({&Show, &Hide, &RunModal});
}

void RemoveFontPanelRunner()
{
    plat::FontPanel::SetRunner({});
    Floating().reset();
}

CFontPanelWindow* FloatingFontPanel()
{
    return Floating().get();
}
