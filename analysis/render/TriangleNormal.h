#pragma once
#include <cmath>

struct TrailPoint {
    float x;
    float y;
    float z;
};

// The unit vector of (p1 - p0) x (p2 - p0); (0, 1, 0) for a degenerate triangle. Inline: a
// slice computes one per vertex, and the loop overlaps their square roots and divisions only
// when it sees the body.
inline TrailPoint TriangleNormal(const TrailPoint& p0, const TrailPoint& p1, const TrailPoint& p2)
{
    const float ax = p1.x - p0.x, ay = p1.y - p0.y, az = p1.z - p0.z;
    const float bx = p2.x - p0.x, by = p2.y - p0.y, bz = p2.z - p0.z;
    const TrailPoint n{ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx};
    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (!(length > 0.0f) || !std::isfinite(length))
        return TrailPoint{0.0f, 1.0f, 0.0f}; // a flat or broken triangle faces up
    return TrailPoint{n.x / length, n.y / length, n.z / length};
}
