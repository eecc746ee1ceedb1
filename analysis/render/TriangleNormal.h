#pragma once

struct TrailPoint {
    float x;
    float y;
    float z;
};

// The unit vector of (p1 - p0) x (p2 - p0); (0, 1, 0) for a degenerate triangle.
TrailPoint TriangleNormal(const TrailPoint& p0, const TrailPoint& p1, const TrailPoint& p2);
