#pragma once
#include "platform/Geometry.h"

#include <vector>

namespace plat {

class Canvas;
class View;
class Window;

// What is being drawn right now: set by the display cycle around a view's DrawRect, so that
// drawing code reaches the canvas and the rectangles it may touch. The canvas is already
// in the view's coordinates and clipped to those rectangles.
struct CurrentDrawing {
    Canvas* canvas = nullptr;
    const Window* window = nullptr;
    const View* view = nullptr;
    std::vector<Rect> rects; // the rectangles being drawn, in the view's coordinates

    // The drawing in progress on this thread; null outside a draw callback.
    static const CurrentDrawing* Get();
};

// Sets the current drawing for its lifetime (and puts back the one before).
class CurrentDrawingScope {
public:
    explicit CurrentDrawingScope(const CurrentDrawing& drawing);
    ~CurrentDrawingScope();
    CurrentDrawingScope(const CurrentDrawingScope&) = delete;
    CurrentDrawingScope& operator=(const CurrentDrawingScope&) = delete;

private:
    const CurrentDrawing* fPrevious;
};

} // namespace plat
