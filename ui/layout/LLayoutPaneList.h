#pragma once
#include <cstdint>

class LPane;

// A frame's children as the layout engines number them: pane 1 is the first child. The
// engines read each pane's rectangle, shown flag and preferred sizes and place it with SetRect.
class LLayoutPaneList {
public:
    virtual ~LLayoutPaneList() = default;
    // Pane number n (n >= 1), or null when there is no such pane.
    virtual LPane* PaneAt(uint32_t number) const = 0;
};
