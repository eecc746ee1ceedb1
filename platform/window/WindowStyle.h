#pragma once
#include <cstdint>

namespace plat {

// Bits of a window's style mask: which decorations the window server gives it.
enum WindowStyle : uint32_t {
    kStyleBorderless = 0,
    kStyleTitled = 1u << 0,
    kStyleClosable = 1u << 1,
    kStyleMiniaturizable = 1u << 2,
    kStyleResizable = 1u << 3,
    kStyleUtility = 1u << 4, // a panel's small title bar
};

// Window levels: a window always stays in front of every window of a lower level.
enum WindowLevel : int32_t {
    kLevelNormal = 0,
    kLevelFloating = 3,
    kLevelSubmenu = 3,
    kLevelTornOffMenu = 3,
    kLevelModalPanel = 8,
    kLevelPopUpMenu = 101, // open menus and pop-up lists
};

// Height of the title bar a style mask gives a window: none without a title, a short one for
// utility panels.
double TitleBarHeight(uint32_t styleMask);

// The sizes of standard controls, and the width of a scroller drawn at each.
enum class ControlSize : uint32_t { Regular = 0, Small = 1, Mini = 2 };
double ScrollerWidth(ControlSize size);

} // namespace plat
