#pragma once
#include "foundation/geometry/CLRect.h"

#include <cstdint>

class LPane;
class LLayoutPaneList;
class LPaneContext;

// The panes a layout step reads and places, shared by both layout engines: pane 0 is the
// layout rectangle, pane n >= 1 the n-th child. A number that names no pane reads as 0 and
// places nothing.
class LLayoutTarget {
public:
    enum class Edge { Left, Top, Right, Bottom, Width, Height };

    LLayoutTarget(LPaneContext* context, const LLayoutPaneList* children) : fContext(context), fChildren(children) {}

    const CLRect& LayoutRect() const { return fLayoutRect; }
    void SetLayoutRect(const CLRect& rect) { fLayoutRect = rect; }
    LPaneContext* Context() const { return fContext; }
    void SetContext(LPaneContext* context) { fContext = context; }

    // The standard scroll-bar width for selectors 0 to 3, else 0.
    static int32_t SystemMetric(int32_t selector);
    void Place(int32_t number, const CLRect& rect);
    int32_t Shown(int32_t number) const;
    int32_t PrefWidth(int32_t number, int32_t hint) const;
    int32_t PrefHeight(int32_t number, int32_t hint) const;
    int32_t EdgeOf(int32_t number, Edge edge) const;

private:
    LPane* Pane(int32_t number) const;

    CLRect fLayoutRect;
    LPaneContext* fContext;
    const LLayoutPaneList* fChildren;
};
