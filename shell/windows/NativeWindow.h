#pragma once
#include "foundation/geometry/CLPoint.h"
#include "platform/Geometry.h"
#include "platform/values/ValueRef.h"

#include <cstdint>

class LWindow;
namespace plat {
class Window;
}

// Making native windows and finding them.
struct NativeWindow {
    // A new hidden window with the style mask and level, content rectangle 40, 40, 160, 120
    // (framework coordinates) until the framework places it.
    static plat::Ref<plat::Window> Create(uint32_t styleMask, int32_t level);
    // The starting content rectangle in window-system coordinates.
    static plat::Rect InitialContentRect();
    static plat::Window* KeyWindow();
    // The framework window whose content area (not its title bar) holds the screen point,
    // front-most first, skipping windows that ignore the mouse; null when none.
    static LWindow* WindowAtPoint(const CLPoint& point);
};

// Width of the scroll bars of a window: small ones in level-3 windows; 16 without a window.
int32_t GetScrollerWidth(const plat::Window* window);
// Room a resizable window's grow box takes from its scroll bars: none on current systems.
int32_t GetGrowBoxInset(const plat::Window* window);
