#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Placing the items of a column header so that none overlaps the next.
namespace ColumnLayout {

// One shown item: its left edge, its preferred width and the right edge it gets.
struct Item {
    int32_t left = 0;
    int32_t prefWidth = 0;
    int32_t right = 0;
    size_t tag = 0;   // the caller's own index, carried through the sorting
};

// The left edge of an item of width `width` standing at `x`: centred (alignment 1), ending at x
// (alignment 2) or starting at x (any other alignment).
int32_t LeftForColumn(int32_t x, int32_t width, uint32_t alignment);

// Sorts the items by left edge (equal edges keep their order) and gives each the right edge
// left + preferred width, cut back to the next item's left edge when it reaches it, and at
// least left + 1.
void ResolveOverlaps(std::vector<Item>& items);

} // namespace ColumnLayout
