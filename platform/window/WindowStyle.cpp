#include "platform/window/WindowStyle.h"

namespace plat {

double TitleBarHeight(uint32_t styleMask)
{
    if (!(styleMask & kStyleTitled))
        return 0.0;
    return (styleMask & kStyleUtility) ? 16.0 : 22.0;
}

double ScrollerWidth(ControlSize size)
{
    switch (size) {
    case ControlSize::Regular: return 15.0;
    case ControlSize::Small: return 11.0;
    case ControlSize::Mini: return 9.0;
    }
    return 15.0;
}

} // namespace plat
