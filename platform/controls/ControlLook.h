#pragma once
#include "platform/draw/Canvas.h"

#include <algorithm>

namespace plat {

// The colours and shapes the native control models share when they draw themselves.
namespace ControlLook {

inline constexpr Color kFace{0.93, 0.93, 0.93, 1.0};
inline constexpr Color kFacePressed{0.75, 0.78, 0.85, 1.0};
inline constexpr Color kEdge{0.50, 0.50, 0.50, 1.0};
inline constexpr Color kEdgeDisabled{0.72, 0.72, 0.72, 1.0};
inline constexpr Color kAccent{0.24, 0.47, 0.85, 1.0};
inline constexpr Color kTrack{0.80, 0.80, 0.80, 1.0};
inline constexpr Color kMark{0.10, 0.10, 0.10, 1.0};
inline constexpr Color kMarkDisabled{0.60, 0.60, 0.60, 1.0};  // titles of controls that take no clicks
inline constexpr Color kWhite{1.0, 1.0, 1.0, 1.0};

// A filled face with a one-pixel edge inside `rect`.
void Bevel(Canvas& canvas, const Rect& rect, const Color& face, bool enabled);
// A filled triangle pointing down (or up) centred in `rect`.
void Arrow(Canvas& canvas, const Rect& rect, bool down, const Color& color);
// The keyboard focus ring: a two-pixel accent frame just inside `rect`.
void FocusRing(Canvas& canvas, const Rect& rect);
// A filled triangle pointing right (or left) centred in `rect`.
void SideArrow(Canvas& canvas, const Rect& rect, bool right, const Color& color);

} // namespace ControlLook
} // namespace plat
