#include "controls/std/PaneMouse.h"

#include "foundation/input/LMouse.h"
#include "platform/window/Event.h"
#include "platform/window/Window.h"
#include "shell/windows/ScreenCoords.h"
#include "ui/panes/LPane.h"
#include "ui/panes/LPaneContext.h"

CLPoint MouseInPane(const LPane& pane)
{
    const LMouse* mouse = LMouse::Current();
    if (!mouse)
        return {};
    const LPaneContext context = LPaneContext::FromPane(pane);
    CLPoint content;
    if (context.window) {
        const CLRect rect = NSRectToRect(context.window->ContentRect(), GetMainScreenHeight());
        content = {rect.left, rect.top};
    }
    return {mouse->location.x - content.x - context.originX, mouse->location.y - content.y - context.originY};
}

const plat::Event* CurrentMouseEvent()
{
    const LMouse* mouse = LMouse::Current();
    return mouse ? dynamic_cast<const plat::Event*>(mouse->event.Get()) : nullptr;
}
