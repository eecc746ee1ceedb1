#include "ui/layout/LLayoutTarget.h"
#include "ui/layout/LLayoutPaneList.h"
#include "ui/panes/LPane.h"
#include "ui/layout/LayoutMath.h"
#include "shell/windows/NativeWindow.h"

// Selectors 0 to 3 all answer the platform's scroll-bar width for no window.
int32_t LLayoutTarget::SystemMetric(int32_t selector)
{
    return static_cast<uint32_t>(selector) <= 3u ? GetScrollerWidth(nullptr) : 0;
}

LPane* LLayoutTarget::Pane(int32_t number) const
{
    if (number <= 0 || !fChildren)
        return nullptr;
    return fChildren->PaneAt(static_cast<uint32_t>(number));
}

void LLayoutTarget::Place(int32_t number, const CLRect& rect)
{
    if (number == 0) {
        fLayoutRect = rect;
    } else if (LPane* pane = Pane(number)) {
        pane->SetRect(rect);
    }
}

int32_t LLayoutTarget::Shown(int32_t number) const
{
    if (number == 0)
        return 1;
    const LPane* pane = Pane(number);
    return pane && pane->IsShown() ? 1 : 0;
}

int32_t LLayoutTarget::PrefWidth(int32_t number, int32_t hint) const
{
    if (number == 0)
        return EdgeOf(0, Edge::Width);
    LPane* pane = Pane(number);
    return pane ? pane->PrefWidth(fContext, hint) : 0;
}

int32_t LLayoutTarget::PrefHeight(int32_t number, int32_t hint) const
{
    if (number == 0)
        return EdgeOf(0, Edge::Height);
    LPane* pane = Pane(number);
    return pane ? pane->PrefHeight(fContext, hint) : 0;
}

int32_t LLayoutTarget::EdgeOf(int32_t number, Edge edge) const
{
    CLRect rect;
    if (number == 0) {
        rect = fLayoutRect;
    } else if (const LPane* pane = Pane(number)) {
        rect = pane->Rect();
    }
    switch (edge) {
    case Edge::Left: return rect.left;
    case Edge::Top: return rect.top;
    case Edge::Right: return rect.right;
    case Edge::Bottom: return rect.bottom;
    case Edge::Width: return LayoutMath::Sub(rect.right, rect.left);
    case Edge::Height: return LayoutMath::Sub(rect.bottom, rect.top);
    }
    return 0;
}
