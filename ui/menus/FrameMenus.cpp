#include "ui/menus/FrameMenus.h"

#include "foundation/core/LList.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuBar.h"

void InstallFrameMenus(LList& frameMenus, std::vector<LMenu*>& installed)
{
    LMenuBar* bar = LMenuBar::Current();
    if (!bar || frameMenus.IsEmpty())
        return;
    LMenu* target = bar->FindMenu("WINDOW");
    if (!target)
        target = bar->FindMenu("HELP");
    while (auto* menu = static_cast<LMenu*>(frameMenus.PopFront())) {
        installed.push_back(menu);
        bar->AddMenu(menu, target);
    }
}

void RemoveFrameMenus(LList& frameMenus, std::vector<LMenu*>& installed)
{
    LMenuBar* bar = LMenuBar::Current();
    while (!installed.empty()) {
        LMenu* menu = installed.back();
        installed.pop_back();
        if (bar)
            bar->RemoveMenu(menu);
        frameMenus.PushFront(menu);
    }
}
