#include "ui/panes/LDrawPort.h"
#include "platform/window/CurrentDrawing.h"

LDrawPort::LDrawPort(const LPaneContext& context)
    : fPort(Open(context.window)),
      fClip(fPort.PushClip(context.clip)),
      fOrigin(fPort.OffsetOrigin(context.originX, context.originY)),
      fPaint(fPort.PushColors(context.background))
{
}

CDrawContext LDrawPort::Open(plat::Window* window)
{
    const plat::CurrentDrawing* drawing = plat::CurrentDrawing::Get();
    if (window && drawing && drawing->window == window)
        return CDrawContext(window);
    return CDrawContext::Measure(window);
}
