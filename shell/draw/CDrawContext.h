#pragma once
#include "foundation/geometry/CLPoint.h"
#include "ui/draw/LPortState.h"

#include <vector>

namespace plat {
class Canvas;
class Window;
struct Rect;
}

// The drawing port of a window: either for real inside the display cycle (clipped to the
// rectangles being drawn, origin at the content's top-left corner, y downward) or over the
// shared one-pixel measuring bitmap, for measuring text and hit tests outside drawing.
class CDrawContext : public LPortState {
public:
    // A port for drawing the window's content now: from the display cycle's current drawing.
    // Without a window, a content view or a current drawing, an empty port without context.
    explicit CDrawContext(plat::Window* window);
    // Sets the canvas's colours to transparent when there is one.
    ~CDrawContext() override;

    // A port for measuring: over the shared measuring bitmap, clipped to the content view's
    // size ((0, 0, 0, 0) without one). Without a window, an empty port without context.
    static CDrawContext Measure(plat::Window* window);

    // Screen points (top-left origin, y downward) to port-local points and back.
    CLPoint GlobalToLocal(const CLPoint& point) const;
    CLPoint LocalToGlobal(const CLPoint& point) const;

    // Marks the port as drawing an update (a frame calls it before it draws itself).
    void SetUpdating() { SetUpdatingFlag(1); }
    bool InDrawRect() const { return fInDrawRect; }
    plat::Window* Window() const { return fWindow; }

    // The shared 1 x 1 measuring canvas, made on first use.
    static plat::Canvas* MeasuringCanvas();

private:
    enum class Kind { Measuring };
    CDrawContext(plat::Window* window, Kind);
    // Sets up drawing on `canvas` clipped to the view rectangles being drawn (bottom-left origin).
    void BeginDrawing(plat::Canvas* canvas, const std::vector<plat::Rect>& rects);
    // The content view's top-left corner in screen points, when there is one.
    bool ContentOrigin(CLPoint& origin) const;

    plat::Window* fWindow = nullptr;
    bool fInDrawRect = false;
};
