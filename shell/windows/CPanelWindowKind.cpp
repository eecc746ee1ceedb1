#include "shell/windows/CPanelWindowKind.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "shell/windows/NativeWindow.h"

uint32_t CPanelWindowKind::StyleMaskOfPanel(uint32_t panelKind)
{
    switch (panelKind) {
    case 1: return 19;
    case 2: return 29;
    case 3: return 31;
    case 4: return 31;
    case 5: return 17;
    case 6: return 0;
    default: return 17;
    }
}

plat::Ref<plat::Window> CPanelWindowKind::CreateWindow() const
{
    plat::Ref<plat::Window> panel = plat::Window::Make(NativeWindow::InitialContentRect(),
                                                       StyleMaskOfPanel(fPanelKind), plat::WindowClass::Panel);
    panel->floatingPanel = true;
    if (fPanelFlags & kFlagStaysVisible)
        panel->hidesOnDeactivate = false;
    else
        panel->becomesKeyOnlyIfNeeded = true;
    if (fPanelFlags & kFlagFloatingLevel)
        panel->SetLevel(4);
    if (fPanelKind == 6)
        panel->ignoresMouseEvents = true;
    return panel;
}
