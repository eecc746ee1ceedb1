#pragma once
#include "platform/Geometry.h"

namespace plat {

class Canvas;

// The program's own look for the standard frames and separators: simple bevels and lines.
enum class FrameKind {
    TextField,  // a sunken bevel: dark above and left, lighter below and right
    ListBox,    // a plain dark outline
};

enum class FrameActivity { Inactive, Active };
enum class FrameFocus { None, Focused };

// Pixels a frame may cover outside the rectangle it surrounds (bevel plus focus band).
inline constexpr int kThemeFrameOutset = 4;

// Draws a frame of the kind around `rect` (whole pixels outside it): a one-pixel edge just
// outside the rectangle, greyed when inactive, and a band of the keyboard focus colour outside
// that when focused.
void DrawThemeFrame(Canvas& canvas, const Rect& rect, FrameKind kind, FrameActivity activity, FrameFocus focus);

// Draws a separator line in `rect`: horizontal when the rectangle is at least as wide as it is
// tall, else vertical; a dark line with a light line beside it when there is room for two.
void DrawSeparator(Canvas& canvas, const Rect& rect, FrameActivity activity);

// The colours the frames are drawn with, for callers and tests that match them.
struct ThemeColors {
    static constexpr unsigned kEdgeDark = 0x808080;
    static constexpr unsigned kEdgeInactive = 0xB0B0B0;
    static constexpr unsigned kEdgeLight = 0xF0F0F0;
    // The lower and right edges of a text field: lighter than its upper edges, yet apart from
    // a white field and from the window's background, so that the field shows closed below.
    static constexpr unsigned kEdgeLower = 0xC0C0C0;
};

} // namespace plat
