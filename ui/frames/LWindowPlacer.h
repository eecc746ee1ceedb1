#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/geometry/CLRect.h"

#include <cstdint>

class LWindow;

// The subject of the sizing messages ("LWindowPlacer_Grow", "LWindowPlacer_Sizing") that a
// window's frame hears while the window is sized: the proposed content size and the limits
// handlers may narrow.
// NOTE: the least the window bridge needs; the frame layer owns the full class.
class LWindowPlacer : public LHandler {
public:
    static const char* msgGrow;
    static const char* msgSizing;

    // Limits for the window: minimum 40 x 40, maximum the largest content size whose frame
    // fits the visible screen area (of all displays when asked).
    LWindowPlacer(LWindow* window, bool allDisplays);

    // Sets minimum and maximum, each held to the current maximum.
    void SetLimits(int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight);
    // Sets the minimum, held to the maximum.
    void SetMinSize(int32_t width, int32_t height);

    LWindow* window;
    int32_t width = 0;
    int32_t height = 0;
    int32_t minWidth = 40;
    int32_t minHeight = 40;
    int32_t maxWidth = 0;
    int32_t maxHeight = 0;
    CLRect bounds;
};
