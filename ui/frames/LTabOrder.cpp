#include "ui/frames/LTabOrder.h"
#include "foundation/core/LList.h"
#include "ui/panes/LPane.h"

namespace {

struct Entry {
    uint32_t position;
    CLRect rect;
};

// True when `entry` goes before `other`: it lies wholly above it, or it shares its row and
// starts further left (or ends further left).
bool GoesBefore(const CLRect& entry, const CLRect& other)
{
    return entry.bottom <= other.top ||
           (entry.top < other.bottom && (entry.left < other.left || entry.right < other.right));
}

} // namespace

std::vector<uint32_t> LTabOrder::Order(const std::vector<CLRect>& rects)
{
    std::vector<Entry> entries;
    entries.reserve(rects.size());
    for (uint32_t i = 0; i < rects.size(); ++i) {
        auto at = entries.begin();
        while (at != entries.end() && !GoesBefore(rects[i], at->rect))
            ++at;
        entries.insert(at, Entry{i, rects[i]});
    }
    std::vector<uint32_t> order;
    order.reserve(entries.size());
    for (const Entry& entry : entries)
        order.push_back(entry.position + 1);
    return order;
}

void LTabOrder::Rebuild(const LList& children)
{
    std::vector<CLRect> rects;
    for (SSLink* link : children)
        rects.push_back(static_cast<LPane*>(link)->Rect());
    fOrder = Order(rects);
}

int32_t LTabOrder::IndexOf(uint32_t position) const
{
    for (uint32_t i = 0; i < fOrder.size(); ++i) {
        if (fOrder[i] == position)
            return static_cast<int32_t>(i);
    }
    return -1;
}
