#pragma once
#include "foundation/geometry/CLRect.h"

#include <cstdint>
#include <vector>

class LList;

// The keyboard order of a frame's children, rebuilt from their current rectangles before
// every focus move: rows top to bottom and, within a row, left to right; equal places keep
// list order. Entries are 1-based positions in the child list.
class LTabOrder {
public:
    void Rebuild(const LList& children);
    // Sorts the rectangles as Rebuild does and returns their 1-based positions.
    static std::vector<uint32_t> Order(const std::vector<CLRect>& rects);

    uint32_t Count() const { return static_cast<uint32_t>(fOrder.size()); }
    // The 1-based child position at an index of the order.
    uint32_t At(uint32_t index) const { return fOrder.at(index); }
    // The index of a 1-based position, or -1 when it is not listed.
    int32_t IndexOf(uint32_t position) const;

private:
    std::vector<uint32_t> fOrder;
};
