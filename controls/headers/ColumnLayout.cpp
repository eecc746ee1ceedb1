#include "controls/headers/ColumnLayout.h"

#include <algorithm>

namespace ColumnLayout {

int32_t LeftForColumn(int32_t x, int32_t width, uint32_t alignment)
{
    switch (alignment) {
    case 1: return x - width / 2;
    case 2: return x - width;
    default: return x;
    }
}

void ResolveOverlaps(std::vector<Item>& items)
{
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.left < b.left; });
    for (size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        int64_t right = int64_t(item.left) + item.prefWidth;
        if (i + 1 < items.size() && right >= items[i + 1].left)
            right = items[i + 1].left;
        if (right <= int64_t(item.left) + 1)
            right = int64_t(item.left) + 1;
        item.right = static_cast<int32_t>(std::min<int64_t>(right, INT32_MAX));
    }
}

} // namespace ColumnLayout
