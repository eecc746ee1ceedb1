#pragma once
#include "platform/Geometry.h"

#include <cstdint>
#include <vector>

namespace plat {

// How a person's input takes its time, for the drivers that play the user in tests: a click
// holds the button, a double click is two clicks a little apart, a drag settles, moves a little
// at a time and settles again, a key is held and followed by a pause.
namespace PersonTiming {

inline constexpr uint64_t kClickHoldMs = 120;
inline constexpr uint64_t kDoubleClickGapMs = 150;
inline constexpr uint64_t kDragSettleMs = 50;
inline constexpr uint64_t kDragStepMs = 16;
inline constexpr double kDragStepPx = 10.0;
inline constexpr uint64_t kKeyHoldMs = 40;
inline constexpr uint64_t kKeyPauseMs = 80;

// The places a moving pointer passes from `from` through the points: none more than
// kDragStepPx from the one before, each point of the path among them.
std::vector<Point> DragSteps(const Point& from, const std::vector<Point>& points);

} // namespace PersonTiming

} // namespace plat
