#include "controls/lists/LListSelModel.h"

#include <algorithm>

namespace {

// The cells spanned by two corner cells, both included.
LRegion SpanOf(int32_t c0, int32_t r0, const CLPoint& cell)
{
    const CLRect rect{std::min(c0, cell.x), std::min(r0, cell.y), std::max(c0, cell.x) + 1,
                      std::max(r0, cell.y) + 1};
    return LRegion(rect);
}

} // namespace

void LListSelModel::AnchorAt(const CLPoint& cell)
{
    anchorColumn = cell.x;
    anchorRow = cell.y;
}

void LListSelModel::AnchorFromBounds(const LRegion& current, const CLPoint& cell)
{
    const CLRect bounds = current.GetBounds();
    if (cell.x < bounds.left || cell.y < bounds.top)
        AnchorAt({bounds.right - 1, bounds.bottom - 1});
    else
        AnchorAt({bounds.left, bounds.top});
}

LRegion LListSelModel::Begin(const LRegion& current, const CLPoint& cell, bool shift, bool command)
{
    switch (mode) {
    case kModeSingle:
        AnchorAt(cell);
        break;
    case kModeRect:
        if (shift)
            AnchorFromBounds(current, cell);
        else
            AnchorAt(cell);
        break;
    case kModeMulti:
        if (command) {
            additive = 1;
            adding = current.Contains(cell) ? 0 : 1;
            AnchorAt(cell);
        } else {
            additive = 0;
            if (shift)
                AnchorFromBounds(current, cell);
            else
                AnchorAt(cell);
        }
        break;
    default:
        break;
    }
    return Track(current, cell);
}

LRegion LListSelModel::Track(const LRegion& current, const CLPoint& cell) const
{
    switch (mode) {
    case kModeSingle:
        return SpanOf(cell.x, cell.y, cell);
    case kModeRect:
        return SpanOf(anchorColumn, anchorRow, cell);
    case kModeMulti: {
        const LRegion span = SpanOf(anchorColumn, anchorRow, cell);
        if (!additive)
            return span;
        LRegion result = current;
        if (adding)
            result.Union(span);
        else
            result.Subtract(span);
        return result;
    }
    default:
        return current;
    }
}
