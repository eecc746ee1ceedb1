#include "ui/frames/LFrame.h"
#include "ui/frames/LTabOrder.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>
#include <vector>

namespace {

// Whether a move may stop at `pane`: it is enabled and shown and lies in the visible part of
// its host. Outside any window nothing is clipped.
bool CanTakeFocusMove(const LPane& pane, const LPaneContext& hostContext)
{
    if (!pane.IsEnabledAndShown())
        return false;
    if (!hostContext.window)
        return true;
    CLRect inWindow = pane.Rect();
    inWindow.Offset(hostContext.originX, hostContext.originY);
    return hostContext.clip.Intersects(inWindow);
}

int32_t DistanceTo(const CLRect& rect, const CLPoint& p)
{
    const int64_t d = std::max({int64_t(rect.left) - p.x, int64_t(p.x) - rect.right, int64_t(rect.top) - p.y,
                                int64_t(p.y) - rect.bottom, int64_t(0)});
    return static_cast<int32_t>(std::min<int64_t>(d, INT32_MAX));
}

} // namespace

bool LFrame::MoveFocus(LFocusDir dir)
{
    LTabOrder order;
    order.Rebuild(fChildren);
    const int32_t count = static_cast<int32_t>(order.Count());
    if (count == 0)
        return true;
    const bool backward = dir == LFocusDir::Backward;
    // The focus may be a pane that this frame handles but another child hosts (a frame placed
    // in a divider): its place in the order is that of the child it lies in.
    int32_t start = -1;
    for (const LPane* pane = fFocus; pane && pane != this && start < 0; pane = pane->Host()) {
        uint32_t position = 1;
        for (SSLink* link : fChildren) {
            if (link == static_cast<const SSLink*>(pane))
                start = order.IndexOf(position);
            ++position;
        }
    }
    if (start < 0)
        start = backward ? 0 : count - 1;
    const LPaneContext context = LPaneContext::FromPane(*this);
    const LPane* const before = fFocus;
    bool wrapped = false;
    int32_t index = start;
    for (;;) {
        if (!backward) {
            if (++index >= count) {
                if (wrapped)
                    return true;
                wrapped = true;
                index = 0;
            }
        } else if (index <= 0) {
            if (wrapped)
                return true;
            wrapped = true;
            index = count - 1;
        } else {
            --index;
        }
        LPane* candidate = PaneAt(order.At(static_cast<uint32_t>(index)));
        if (!candidate)
            return true;
        if (CanTakeFocusMove(*candidate, context)) {
            candidate->AdvanceFocus(dir, LFocusRestart::Yes);
            if (fFocus != before)
                return wrapped;
        }
        if (index == start)
            return true;
    }
}

bool LFrame::AdvanceFocus(LFocusDir dir, LFocusRestart restart)
{
    if (restart == LFocusRestart::No) {
        if (fFocus && fFocus->AdvanceFocus(dir, LFocusRestart::No))
            return true;
    } else {
        SetFocus(nullptr);
    }
    return !MoveFocus(dir);
}

bool LFrame::FocusNearest(const CLPoint& point)
{
    const CLPoint local{point.x - Rect().left, point.y - Rect().top};
    std::vector<std::pair<int32_t, LPane*>> candidates;
    for (SSLink* link : fChildren) {
        LPane* child = static_cast<LPane*>(link);
        if (child->IsEnabledAndShown())
            candidates.emplace_back(DistanceTo(child->Rect(), local), child);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    SetFocus(nullptr);
    for (const auto& [distance, child] : candidates) {
        if (child->FocusNearest(local))
            return true;
        child->AdvanceFocus(LFocusDir::Forward, LFocusRestart::Yes);
        if (fFocus)
            return true;
    }
    return false;
}
