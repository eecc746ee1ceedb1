#include "controls/widgets/CDrawProcPane.h"
#include "ui/draw/LPortState.h"

void CDrawProcPane::DrawSelf(LPortState& port) const
{
    if (!drawProc)
        return;
    LClipScope clip(port.PushClip(LRegion(Rect())));
    drawProc(context, const_cast<CDrawProcPane&>(*this), port);
}
