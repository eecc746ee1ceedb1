#pragma once
#include "foundation/geometry/CLPoint.h"
#include "platform/Geometry.h"

#include <cstdint>

// An integer rectangle of the window system. Right and bottom are exclusive: a point is inside
// when left <= x < right and top <= y < bottom. A rectangle is empty when left >= right or
// top >= bottom; the canonical empty rectangle is all zero.
//
// Moves wrap around at the 32-bit limits (two's complement) instead of overflowing; scaling and
// mapping work in 64 bits and clamp their results to the 32-bit range.
struct CLRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    friend bool operator==(const CLRect&, const CLRect&) = default;

    // right - left and bottom - top, exact even where they pass the 32-bit range.
    int64_t Width() const { return int64_t(right) - left; }
    int64_t Height() const { return int64_t(bottom) - top; }
    bool IsEmpty() const { return left >= right || top >= bottom; }

    // left <= x < right and top <= y < bottom.
    bool Contains(const CLPoint& point) const;
    // False when either rectangle is empty; else true when they share at least one pixel.
    static bool Intersects(const CLRect& a, const CLRect& b);
    static bool SameSize(const CLRect& a, const CLRect& b);

    // Moves the rectangle; edges wrap around at the 32-bit limits.
    void Offset(int32_t dx, int32_t dy);
    // left += dx, top += dy, right -= dx, bottom -= dy; negative values grow the rectangle.
    void Inset(int32_t dx, int32_t dy);
    // The smallest rectangle holding both; an empty operand does not count.
    void Union(const CLRect& other);
    // The common part; all zero when there is none.
    void Intersect(const CLRect& other);
    // Moves the rectangle so that its centre is other's, the half difference truncated toward zero.
    void CenterIn(const CLRect& other);
    // Scales the size to fit inside other keeping the aspect ratio, then centres it in other.
    void FitInto(const CLRect& other);
    // Maps every edge from the coordinate space of from to that of to.
    void Map(const CLRect& from, const CLRect& to);
    // Makes right at least left + 1 and bottom at least top + 1.
    void MakeNonEmpty();

    // {left, top, width, height} in floating point.
    plat::Rect ToCGRect() const;
    // The smallest integral rectangle holding rect, its edges held to the 32-bit range.
    static CLRect FromCGRect(const plat::Rect& rect);
};
