// Layout of the pane divider: sharing the main axis among the shown children by their
// preferred sizes, and redistributing after a drag or a size change.
#include "controls/divider/CPaneDivider.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>

namespace {

// x of amount out of total, rounded by half the divisor.
int32_t Share(int32_t x, int32_t amount, int32_t total)
{
    return int32_t((int64_t(total) / 2 + int64_t(x) * amount) / total);
}

// Moves one child edge along the main axis.
void MoveEdge(LPane& pane, bool stacked, bool leading, int32_t d)
{
    CLRect rect = pane.Rect();
    int32_t& edge = stacked ? (leading ? rect.top : rect.bottom) : (leading ? rect.left : rect.right);
    edge += d;
    pane.SetRect(rect);
}

} // namespace

std::vector<LPane*> CPaneDivider::VisibleChildren() const
{
    std::vector<LPane*> visible;
    for (SSLink* link : Children()) {
        auto* pane = static_cast<LPane*>(link);
        if (pane->IsShown())
            visible.push_back(pane);
    }
    return visible;
}

int32_t CPaneDivider::Lead(const LPane& pane) const
{
    return Stacked() ? pane.Rect().top : pane.Rect().left;
}

int32_t CPaneDivider::Trail(const LPane& pane) const
{
    return Stacked() ? pane.Rect().bottom : pane.Rect().right;
}

int32_t CPaneDivider::Pref(LPane& pane) const
{
    LPaneContext context = LPaneContext::FromPane(*this);
    return Stacked() ? pane.PrefHeight(&context, 0) : pane.PrefWidth(&context, 0);
}

int32_t CPaneDivider::MainExtent() const
{
    return int32_t(Stacked() ? Rect().Height() : Rect().Width());
}

void CPaneDivider::SetSpan(LPane& pane, int32_t start, int32_t end) const
{
    if (Stacked())
        pane.SetRect({0, start, int32_t(Rect().Width()), end});
    else
        pane.SetRect({start, 0, end, int32_t(Rect().Height())});
}

CLRect CPaneDivider::BarRect(int32_t leadingEdge) const
{
    if (Stacked())
        return {0, leadingEdge - kBarSize, int32_t(Rect().Width()), leadingEdge};
    return {leadingEdge - kBarSize, 0, leadingEdge, int32_t(Rect().Height())};
}

LRegion CPaneDivider::BarRegion() const
{
    const std::vector<LPane*> visible = VisibleChildren();
    LRegion bars;
    for (size_t k = 1; k < visible.size(); ++k)
        bars.Union(LRegion(BarRect(Lead(*visible[k]))));
    return bars;
}

int32_t CPaneDivider::DividerPos(int32_t n) const
{
    const std::vector<LPane*> visible = VisibleChildren();
    if (n < 0 || size_t(n) + 1 >= visible.size())
        return -1;
    return Lead(*visible[size_t(n) + 1]) - kBarSize;
}

void CPaneDivider::LayoutAll()
{
    const std::vector<LPane*> visible = VisibleChildren();
    if (visible.empty())
        return;
    std::vector<int32_t> prefs;
    int32_t remainingPref = 0;
    for (LPane* pane : visible) {
        prefs.push_back(std::max(Pref(*pane), 0));
        remainingPref += prefs.back();
    }
    int32_t remaining = MainExtent() - kBarSize * int32_t(visible.size() - 1);
    int32_t position = 0;
    for (size_t i = 0; i < visible.size(); ++i) {
        const int32_t share = remainingPref > 0 ? int32_t(int64_t(prefs[i]) * remaining / remainingPref) : 0;
        SetSpan(*visible[i], position, position + share);
        remaining -= share;
        remainingPref -= prefs[i];
        position += share + kBarSize;
    }
}

void CPaneDivider::Distribute(int32_t e, size_t first, size_t last)
{
    const std::vector<LPane*> visible = VisibleChildren();
    if (visible.empty() || first > last || last >= visible.size())
        return;
    struct Part {
        int32_t pref, extent;
    };
    std::vector<Part> parts;
    int32_t sumPref = 0, sumSlack = 0, deficit = 0, sumSize = 0;
    for (size_t i = first; i <= last; ++i) {
        const Part part{std::max(Pref(*visible[i]), 0), Trail(*visible[i]) - Lead(*visible[i])};
        parts.push_back(part);
        sumPref += part.pref;
        sumSlack += std::max(part.extent - part.pref, 0);
        deficit += std::max(part.pref - part.extent, 0);
        sumSize += std::max(part.extent, part.pref);
    }
    int32_t shrink = std::max(deficit - e, 0);
    int32_t grow = std::max(e - deficit, 0);
    int32_t position = first == 0 ? 0 : Lead(*visible[first]) - e;
    const bool cutAll = sumSlack < shrink;
    for (size_t i = 0; i < parts.size(); ++i) {
        const Part& part = parts[i];
        const int32_t size = std::max(part.extent, part.pref);
        const int32_t slack = part.extent - part.pref;
        int32_t end = position;
        if (cutAll) {
            // Not enough room above the preferred sizes: every child is cut by its pref.
            if (sumPref > 0) {
                const int32_t cut = Share(part.pref, shrink, sumPref);
                shrink -= cut;
                sumPref -= part.pref;
                end = position + size - cut;
            }
        } else if (shrink >= 1) {
            if (part.extent < part.pref) {
                end = position + part.pref;
            } else if (sumSlack >= 1) {
                const int32_t cut = Share(slack, shrink, sumSlack);
                shrink -= cut;
                sumSlack -= slack;
                end = position + part.extent - cut;
            } else {
                end = position + part.extent;
            }
        } else if (sumSize > 0) {
            const int32_t add = Share(size, grow, sumSize);
            grow -= add;
            end = position + size + add;
        }
        if (!cutAll)
            sumSize -= size;
        SetSpan(*visible[first + i], position, end);
        position = end + kBarSize;
    }
}

void CPaneDivider::ComputeLimits(int32_t n)
{
    const std::vector<LPane*> visible = VisibleChildren();
    fDraggedBar = n;
    int32_t before = 0, after = 0;
    for (size_t i = 0; i < visible.size(); ++i)
        (int32_t(i) <= n ? before : after) += Pref(*visible[i]);
    if (n >= 0 && size_t(n) < visible.size())
        fTrackPos = Trail(*visible[size_t(n)]);
    // The bar stays inside the frame even when the children before it prefer more room than
    // the frame has: beyond its last place the children after it would get less than nothing.
    const int32_t last = MainExtent() - kBarSize * (int32_t(visible.size()) - 1 - n);
    fLowerLimit = std::min(before + kBarSize * n, last);
    fUpperLimit = last - after;
    // Crossed limits pin the bar at the lower one, unless the children after it keep theirs.
    if (fCrossed == Keeps::Trailing && fLowerLimit > fUpperLimit)
        fLowerLimit = std::max(fUpperLimit, kBarSize * n);
}

void CPaneDivider::ApplyDrag(bool both)
{
    if (fTrackPos < 0)
        return;
    const std::vector<LPane*> visible = VisibleChildren();
    const int32_t n = fDraggedBar;
    const int32_t d = fTrackPos - DividerPos(n);
    if (d == 0 || n < 0 || size_t(n) + 1 >= visible.size())
        return;
    const size_t k = size_t(n);
    if (d < 0) {
        MoveEdge(*visible[k + 1], Stacked(), true, d);
        if (both)
            MoveEdge(*visible[k], Stacked(), false, d);
        Distribute(both ? 0 : d, 0, k);
    } else {
        MoveEdge(*visible[k], Stacked(), false, d);
        if (both)
            MoveEdge(*visible[k + 1], Stacked(), true, d);
        Distribute(both ? 0 : -d, k + 1, visible.size() - 1);
    }
}
