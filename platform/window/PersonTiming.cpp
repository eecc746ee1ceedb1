#include "platform/window/PersonTiming.h"

#include <algorithm>
#include <cmath>

namespace plat {

std::vector<Point> PersonTiming::DragSteps(const Point& from, const std::vector<Point>& points)
{
    std::vector<Point> steps;
    Point at = from;
    for (const Point& next : points) {
        const double distance = std::hypot(next.x - at.x, next.y - at.y);
        const int count = std::max(1, static_cast<int>(std::ceil(distance / kDragStepPx)));
        for (int i = 1; i <= count; ++i) {
            const double f = double(i) / count;
            steps.push_back(Point{at.x + (next.x - at.x) * f, at.y + (next.y - at.y) * f});
        }
        at = next;
    }
    return steps;
}

} // namespace plat
