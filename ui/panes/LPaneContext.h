#pragma once
#include "controls/CColor.h"
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/LRegion.h"

#include <cstdint>

class LPane;
namespace plat {
class Window;
class View;
}

// What a pane's context query fills before drawing or converting coordinates: the window and
// view it draws in, the visible part in window coordinates, the origin of the pane's host in
// the window, and the backgrounds behind it. Empty for a pane outside any window.
class LPaneContext {
public:
    LPaneContext() = default;

    // An empty context filled through the pane's GetContext.
    static LPaneContext FromPane(const LPane& pane);

    // A window point in the coordinates of the pane whose context this is.
    CLPoint WindowToLocal(const CLPoint& point) const { return {point.x - originX, point.y - originY}; }
    CLPoint LocalToWindow(const CLPoint& point) const { return {point.x + originX, point.y + originY}; }
    // The clip region moved into the local coordinates.
    LRegion VisibleRegion() const;

    plat::Window* window = nullptr;
    plat::View* view = nullptr;
    uint32_t reserved = 0;
    LRegion clip;                  // window coordinates
    int32_t originX = 0;
    int32_t originY = 0;
    CColorRef windowBackground;
    CColorRef background;               // the nearest background (the window's when no frame has one)
    int32_t backgroundX = 0;       // where that background's pattern starts, window coordinates
    int32_t backgroundY = 0;
    uint8_t flag = 0;
};
