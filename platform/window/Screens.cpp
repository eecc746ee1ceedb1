#include "platform/window/Screens.h"

#include <mutex>

namespace plat {

namespace {

std::mutex gMutex;

std::vector<Screen> DefaultScreens()
{
    return {Screens::Make(1, Rect{0, 0, 1440, 900}, true)};
}

std::vector<Screen>& Current()
{
    static std::vector<Screen> screens = DefaultScreens();
    return screens;
}

} // namespace

std::vector<Screen> Screens::All()
{
    std::lock_guard lock(gMutex);
    return Current();
}

Screen Screens::Main()
{
    std::lock_guard lock(gMutex);
    return Current().empty() ? Screen{} : Current().front();
}

void Screens::Set(std::vector<Screen> screens)
{
    std::lock_guard lock(gMutex);
    Current() = std::move(screens);
}

void Screens::Reset()
{
    Set(DefaultScreens());
}

Screen Screens::Make(uint32_t displayId, const Rect& frame, bool withMenuBar)
{
    Screen screen{displayId, frame, frame};
    if (withMenuBar && frame.height > kMenuBarHeight)
        screen.visibleFrame.height -= kMenuBarHeight;
    return screen;
}

} // namespace plat
