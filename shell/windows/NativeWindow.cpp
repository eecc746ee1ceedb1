#include "shell/windows/NativeWindow.h"
#include "foundation/geometry/CLRect.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "shell/system/LSystemInfo.h"
#include "shell/windows/ScreenCoords.h"
#include "shell/windows/WindowNumberCache.h"
#include "ui/windows/LWindow.h"

plat::Rect NativeWindow::InitialContentRect()
{
    return RectToNSRect(CLRect{40, 40, 160, 120}, GetMainScreenHeight());
}

plat::Ref<plat::Window> NativeWindow::Create(uint32_t styleMask, int32_t level)
{
    plat::Ref<plat::Window> window = plat::Window::Make(InitialContentRect(), styleMask);
    window->SetLevel(level);
    return window;
}

plat::Window* NativeWindow::KeyWindow()
{
    return plat::WindowServer::Shared().KeyWindow();
}

LWindow* NativeWindow::WindowAtPoint(const CLPoint& point)
{
    const plat::Point p = PointToNSPoint(point, GetMainScreenHeight());
    for (uint32_t number : WindowNumberCache::Numbers()) {
        plat::Window* window = plat::WindowServer::Shared().WithNumber(number);
        if (!window || window->ignoresMouseEvents || !window->ContentView())
            continue;
        plat::Rect content = window->ContentView()->Frame();
        const plat::Point origin = window->ConvertBaseToScreen(plat::Point{0, 0});
        content.x += origin.x;
        content.y += origin.y;
        if (plat::Contains(content, p))
            return LWindow::FindByNative(window);
    }
    return nullptr;
}

int32_t GetScrollerWidth(const plat::Window* window)
{
    if (!window)
        return 16;
    const auto size = window->Level() == 3 ? plat::ControlSize::Small : plat::ControlSize::Regular;
    return static_cast<int32_t>(plat::ScrollerWidth(size));
}

int32_t GetGrowBoxInset(const plat::Window* window)
{
    if (!window || !(window->StyleMask() & plat::kStyleResizable))
        return 0;
    if (LSystemInfo::Global().IsVersion10_7OrLater())
        return 0;
    return GetScrollerWidth(window);
}
