#pragma once

namespace plat {

// A point of the window system's floating-point coordinate space.
struct Point {
    double x = 0.0;
    double y = 0.0;
};

// A rectangle of the window system's floating-point coordinate space: origin and size.
struct Rect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// The smallest rectangle with integral edges that holds rect. A negative size is first
// turned round so that the rectangle runs from its smaller to its larger edges.
Rect Integral(const Rect& rect);

// True when the point lies in the rectangle: x <= p.x < x + width, y <= p.y < y + height.
bool Contains(const Rect& rect, const Point& point);

} // namespace plat
