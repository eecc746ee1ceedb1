// The mouse state read from window-system events.
#include "foundation/input/LMouse.h"
#include "platform/window/Event.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "shell/windows/ScreenCoords.h"

#include <cmath>

void LMouse::UpdateFromEvent(const plat::Event& ev)
{
    pending = 1;
    event.AssignRetain(&ev);
    plat::Point where = ev.locationInWindow;
    if (const plat::Window* window = plat::WindowServer::Shared().WithNumber(ev.windowNumber))
        where = window->ConvertBaseToScreen(where);
    location = NSPointToPoint(where, GetMainScreenHeight());
    modifiers = ev.modifierFlags;
    if (ev.type == plat::EventType::LeftMouseDown && ev.eventNumber != lastPressNumber) {
        lastPressNumber = ev.eventNumber;
        const double ms = ev.timestamp * 1000.0;
        const auto time = std::isfinite(ms) && ms >= 0 ? static_cast<uint32_t>(static_cast<uint64_t>(ms)) : 0u;
        RecordClick(location, time);
    }
}
