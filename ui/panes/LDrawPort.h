#pragma once
#include "ui/panes/LPaneContext.h"

// A stack scope that begins drawing a pane: it opens the drawing context of the context's
// window, narrows the clip to the context's clip region, moves the origin to the context's
// origin and sets the background paint; the end puts paint, origin and clip back in the
// reverse order and lets the drawing context go.
class LDrawPort {
public:
    explicit LDrawPort(const LPaneContext& context);
    ~LDrawPort();
    LDrawPort(const LDrawPort&) = delete;
    LDrawPort& operator=(const LDrawPort&) = delete;

    const LPaneContext& Context() const { return fContext; }

private:
    // NOTE: holds only the context until the window drawing context and its port exist.
    const LPaneContext& fContext;
};
