#pragma once
#include "shell/draw/CDrawContext.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LPaneContext.h"

// A stack scope that begins drawing a pane: it opens the drawing context of the context's
// window (the display cycle's drawing when the window is being drawn, else the measuring
// port), narrows the clip to the context's clip region, moves the origin to the context's
// origin and sets the background paint; the end puts paint, origin and clip back in the
// reverse order and lets the drawing context go.
class LDrawPort {
public:
    explicit LDrawPort(const LPaneContext& context);
    LDrawPort(const LDrawPort&) = delete;
    LDrawPort& operator=(const LDrawPort&) = delete;

    CDrawContext& Port() { return fPort; }
    operator LPortState&() { return fPort; }

private:
    static CDrawContext Open(plat::Window* window);

    CDrawContext fPort;
    LClipScope fClip;
    LOriginScope fOrigin;
    LPortState::LColorScope fPaint;
};
