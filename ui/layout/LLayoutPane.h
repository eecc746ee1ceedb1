#pragma once
#include "foundation/geometry/CLRect.h"

#include <cstdint>

class LPaneContext;

// What the layout engines need of a pane: its rectangle (in its host's coordinates), its
// preferred size for a hint, and whether it is shown. Panes implement it; the engines never
// see more of them.
class LLayoutPane {
public:
    virtual ~LLayoutPane() = default;
    virtual CLRect LayoutRect() const = 0;
    virtual void SetRect(const CLRect& rect) = 0;
    // Preferred width for a height hint and preferred height for a width hint; the context
    // may be null when the engine has none.
    virtual int32_t PrefWidth(LPaneContext* context, int32_t hint) = 0;
    virtual int32_t PrefHeight(LPaneContext* context, int32_t hint) = 0;
    // The pane's own shown flag (state bit 0).
    virtual bool IsShown() const = 0;
};

// A frame's children as the layout engines number them: pane 1 is the first child.
class LLayoutPaneList {
public:
    virtual ~LLayoutPaneList() = default;
    // Pane number n (n >= 1), or null when there is no such pane.
    virtual LLayoutPane* PaneAt(uint32_t number) const = 0;
};
