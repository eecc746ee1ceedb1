#include "platform/window/Event.h"

namespace plat {

bool Event::IsMouse() const
{
    switch (type) {
    case EventType::LeftMouseDown:
    case EventType::LeftMouseUp:
    case EventType::RightMouseDown:
    case EventType::RightMouseUp:
    case EventType::MouseMoved:
    case EventType::LeftMouseDragged:
    case EventType::RightMouseDragged:
    case EventType::ScrollWheel:
        return true;
    default:
        return false;
    }
}

bool Event::IsKey() const
{
    return type == EventType::KeyDown || type == EventType::KeyUp || type == EventType::FlagsChanged;
}

} // namespace plat
