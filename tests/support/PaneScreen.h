#pragma once
#include "platform/window/Window.h"
#include "ui/panes/LPane.h"
#include "ui/panes/LPaneContext.h"

// The screen point (the window test driver's: bottom-left origin) of a point in a pane's
// coordinates, where a test clicks as the user would.
inline plat::Point ScreenPoint(const LPane& pane, const CLPoint& local)
{
    const LPaneContext context = LPaneContext::FromPane(pane);
    const CLPoint inWindow = context.LocalToWindow(local);
    plat::Window* window = context.window;
    return window->ConvertBaseToScreen(plat::Point{double(inWindow.x), window->ContentRect().height - inWindow.y});
}

inline plat::Point CentreOf(const LPane& pane)
{
    const CLRect r = pane.Rect();
    return ScreenPoint(pane, CLPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}
