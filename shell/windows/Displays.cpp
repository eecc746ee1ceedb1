#include "shell/windows/Displays.h"
#include "platform/window/Screens.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/ScreenCoords.h"

#include <vector>

namespace {

std::vector<uint32_t>& ActiveDisplays()
{
    static std::vector<uint32_t> displays;
    return displays;
}

} // namespace

uint32_t GetActiveDisplay(uint32_t index)
{
    std::vector<uint32_t>& displays = ActiveDisplays();
    if (index == 0) {
        displays.clear();
        for (const plat::Screen& screen : plat::Screens::All())
            displays.push_back(screen.displayId);
    }
    return index < displays.size() ? displays[index] : 0;
}

uint32_t MainDisplayId()
{
    return plat::Screens::Main().displayId;
}

CLRect GetDisplayBounds(uint32_t displayId)
{
    for (const plat::Screen& screen : plat::Screens::All())
        if (screen.displayId == displayId && displayId != 0)
            return NSRectToRect(screen.frame, GetMainScreenHeight());
    return CLRect{};
}

CLRect Desktop::MainDisplayBounds()
{
    return GetDisplayBounds(MainDisplayId());
}

CLRect GetMainScreenVisibleRect()
{
    return CDesktop::ClipToScreens(Desktop::MainDisplayBounds());
}
