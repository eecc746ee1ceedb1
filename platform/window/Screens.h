#pragma once
#include "platform/Geometry.h"

#include <cstdint>
#include <vector>

namespace plat {

// One screen of the desktop in global coordinates: origin at the bottom-left corner of the
// main screen, y growing upward. The visible frame leaves out the menu bar (and on the main
// screen only).
struct Screen {
    uint32_t displayId = 0;
    Rect frame;
    Rect visibleFrame;
};

// The screens of the desktop; the first is the main screen. Without a backend or a test's
// setting there is one screen of 1440 x 900 points with a 22-point menu bar.
class Screens {
public:
    static constexpr double kMenuBarHeight = 22.0;

    static std::vector<Screen> All();
    // The first screen; an all-zero screen when there is none.
    static Screen Main();
    // Replaces the screens (a backend's report, or a test's); an empty list means no screen.
    static void Set(std::vector<Screen> screens);
    // Back to the one default screen.
    static void Reset();
    // A screen of the given frame whose visible frame leaves out a menu bar when asked.
    static Screen Make(uint32_t displayId, const Rect& frame, bool withMenuBar);
};

} // namespace plat
