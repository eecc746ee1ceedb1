#include "ui/draw/LBevelOp.h"
#include "ui/draw/LFillRectOp.h"

void LBevelOp::Draw(LPortState& port) const
{
    const CLRect& r = rect;
    LFillRectOp({r.left, r.top, r.right, r.top + 1}, topLeftBrush).Draw(port);
    LFillRectOp({r.left, r.top + 1, r.left + 1, r.bottom - 1}, topLeftBrush).Draw(port);
    LFillRectOp({r.left, r.bottom - 1, r.right, r.bottom}, bottomRightBrush).Draw(port);
    LFillRectOp({r.right - 1, r.top + 1, r.right, r.bottom - 1}, bottomRightBrush).Draw(port);
}
