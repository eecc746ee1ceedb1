#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/CLRect.h"

#include <cstdint>

class LWindow;

// The subject of the sizing messages ("LWindowPlacer_Grow" collects the size limits,
// "LWindowPlacer_Sizing" may change the proposed size) that a window's frame hears while the
// window is sized: the proposed content size, the limits handlers may narrow, and where the
// content may lie on the visible screen area.
class LWindowPlacer : public LHandler {
public:
    static const char* msgGrow;
    static const char* msgSizing;
    static const char* msgPrefer;
    static constexpr int32_t kMinSide = 40;

    // No window: every limit zero, the minimum 40 by 40.
    LWindowPlacer() = default;
    // A window whose content and frame rects are given, on a visible screen area: the maximum
    // is the area less the frame's insets around the content.
    LWindowPlacer(LWindow* window, const CLRect& content, const CLRect& frame, const CLRect& area);
    // A window on the visible area of its display (of all displays when asked).
    LWindowPlacer(LWindow* window, bool allDisplays);

    // Minimum and maximum, each held to the current maximum.
    void SetLimits(int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight);
    // Raises the minimum, held to the maximum.
    void SetMinSize(int32_t width, int32_t height);
    void SetMinSizePt(const CLPoint& size) { SetMinSize(size.x, size.y); }
    // The size a request becomes within the limits; the minimum wins over the maximum.
    int32_t ClampWidth(int32_t value) const { return Clamp(value, minWidth, maxWidth); }
    int32_t ClampHeight(int32_t value) const { return Clamp(value, minHeight, maxHeight); }

    LWindow* window = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t minWidth = kMinSide;
    int32_t minHeight = kMinSide;
    int32_t maxWidth = 0;
    int32_t maxHeight = 0;
    CLRect bounds;

private:
    void SetArea(const CLRect& content, const CLRect& frame, const CLRect& area);
    static int32_t Clamp(int32_t value, int32_t minimum, int32_t maximum);
};
