#include "controls/lists/CCellRangeIter.h"

CCellRangeIter::CCellRangeIter(const LRegion& region, Order order, Direction direction)
    : fRegion(region), fBounds(region.GetBounds()), fOrder(order), fDirection(direction)
{
    fDone = region.IsEmpty() || fBounds.IsEmpty();
    const bool forward = direction == Direction::Forward;
    fCell = forward ? CLPoint{fBounds.left, fBounds.top} : CLPoint{fBounds.right - 1, fBounds.bottom - 1};
}

bool CCellRangeIter::LineMeetsRegion() const
{
    const CLRect line = fOrder == Order::Rows ? CLRect{fBounds.left, fCell.y, fBounds.right, fCell.y + 1}
                                              : CLRect{fCell.x, fBounds.top, fCell.x + 1, fBounds.bottom};
    return fRegion.Intersects(line);
}

bool CCellRangeIter::Step()
{
    const int32_t d = fDirection == Direction::Forward ? 1 : -1;
    // The fast axis runs inside the line; at its end the slow axis moves to the next line.
    int32_t& fast = fOrder == Order::Rows ? fCell.x : fCell.y;
    int32_t& slow = fOrder == Order::Rows ? fCell.y : fCell.x;
    const int32_t fastFirst = fOrder == Order::Rows ? fBounds.left : fBounds.top;
    const int32_t fastEnd = fOrder == Order::Rows ? fBounds.right : fBounds.bottom;
    const int32_t slowFirst = fOrder == Order::Rows ? fBounds.top : fBounds.left;
    const int32_t slowEnd = fOrder == Order::Rows ? fBounds.bottom : fBounds.right;
    fast += d;
    if (fast >= fastFirst && fast < fastEnd)
        return true;
    fast = d > 0 ? fastFirst : fastEnd - 1;
    slow += d;
    return slow >= slowFirst && slow < slowEnd;
}

bool CCellRangeIter::Next(CLPoint& cell)
{
    while (!fDone) {
        if (fStarted && !Step()) {
            fDone = true;
            break;
        }
        fStarted = true;
        if (!LineMeetsRegion()) {
            // Jump to the last cell of this line so that the next step starts the next one.
            const bool forward = fDirection == Direction::Forward;
            if (fOrder == Order::Rows)
                fCell.x = forward ? fBounds.right - 1 : fBounds.left;
            else
                fCell.y = forward ? fBounds.bottom - 1 : fBounds.top;
            continue;
        }
        if (fRegion.Intersects({fCell.x, fCell.y, fCell.x + 1, fCell.y + 1})) {
            cell = fCell;
            return true;
        }
    }
    return false;
}
