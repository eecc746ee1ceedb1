#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/geometry/CLRect.h"

#include <cstdint>

class LWindow;

// The subject of the sizing messages a frame sends itself while its window is sized
// ("LWindowPlacer_Grow" collects the size limits, "LWindowPlacer_Sizing" may change the
// proposed size). It knows the largest content size whose window frame fits the visible screen
// area, and where the content may lie.
class LWindowPlacer : public LHandler {
public:
    static const char* msgGrow;
    static const char* msgSizing;
    static const char* msgPrefer;
    static constexpr int32_t kMinSide = 40;

    // No window: every limit zero, the minimum 40 by 40.
    LWindowPlacer() = default;
    // A window whose content and frame rects are given, on a visible screen area.
    LWindowPlacer(LWindow* window, const CLRect& content, const CLRect& frame, const CLRect& area);

    LWindow* Window() const { return fWindow; }
    int32_t Width() const { return fWidth; }
    int32_t Height() const { return fHeight; }
    void SetSize(int32_t width, int32_t height);
    int32_t MinWidth() const { return fMinWidth; }
    int32_t MinHeight() const { return fMinHeight; }
    int32_t MaxWidth() const { return fMaxWidth; }
    int32_t MaxHeight() const { return fMaxHeight; }
    const CLRect& Bounds() const { return fBounds; }

    // Minimum and maximum, each held to the current maximum.
    void SetLimits(int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight);
    // Raises the minimum, held to the maximum.
    void SetMinSize(int32_t width, int32_t height);
    void SetMinSizePt(const CLPoint& size) { SetMinSize(size.x, size.y); }
    // The size a request becomes within the limits; the minimum wins over the maximum.
    int32_t ClampWidth(int32_t width) const { return Clamp(width, fMinWidth, fMaxWidth); }
    int32_t ClampHeight(int32_t height) const { return Clamp(height, fMinHeight, fMaxHeight); }

private:
    static int32_t Clamp(int32_t value, int32_t minimum, int32_t maximum);

    LWindow* fWindow = nullptr;
    int32_t fWidth = 0;
    int32_t fHeight = 0;
    int32_t fMinWidth = kMinSide;
    int32_t fMinHeight = kMinSide;
    int32_t fMaxWidth = 0;
    int32_t fMaxHeight = 0;
    CLRect fBounds;
};
