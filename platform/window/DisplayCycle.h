#pragma once
#include <vector>

namespace plat {

class Canvas;
class Window;
struct PixelRect;

// Paints the windows whose views asked for display. For each such window it gathers the
// dirty rectangles of all its views (as whole pixels of the backing image, top-left origin),
// fills them with the window background, then lets every visible view that overlaps them
// draw, superviews before subviews, each clipped to exactly its share of those rectangles
// and with the current drawing set. The backing image then goes to the backend. Main thread.
class DisplayCycle {
public:
    // Displays every window on screen that needs it; answers how many were painted.
    static int DisplayIfNeeded();
    // Displays one window now when any of its views asked for it; true when it painted.
    static bool Display(Window& window);
    // Fills the rectangles with the window background colour.
    static void DrawWindowBackground(Canvas& canvas, const std::vector<PixelRect>& rects);
};

} // namespace plat
