#pragma once
#include "platform/Geometry.h"
#include "platform/Shared.h"
#include "platform/values/ValueRef.h"

#include <cstdint>
#include <string>

namespace plat {

// Kinds of input event. A mask selects kinds by bit: the mask of a kind is 1 << kind.
enum class EventType : uint32_t {
    LeftMouseDown = 1,
    LeftMouseUp = 2,
    RightMouseDown = 3,
    RightMouseUp = 4,
    MouseMoved = 5,
    LeftMouseDragged = 6,
    RightMouseDragged = 7,
    KeyDown = 10,
    KeyUp = 11,
    FlagsChanged = 12,
    ApplicationDefined = 15,
    ScrollWheel = 22,
};

constexpr uint64_t EventMask(EventType type) { return uint64_t(1) << uint32_t(type); }
constexpr uint64_t kEventMaskAny = ~uint64_t(0);

// Modifier bits of an event's modifier flags.
enum ModifierFlag : uint32_t {
    kModCapsLock = 1u << 16,
    kModShift = 1u << 17,
    kModControl = 1u << 18,
    kModOption = 1u << 19,
    kModCommand = 1u << 20,
};

// One input event as the window server reports it. Events are shared: the application keeps
// the current one while handlers read it.
class Event final : public Shared {
public:
    EventType type = EventType::ApplicationDefined;
    double timestamp = 0.0;        // seconds of the platform clock
    uint32_t windowNumber = 0;     // 0: no window
    Point locationInWindow;        // window base coordinates, or screen ones without a window
    uint32_t modifierFlags = 0;
    int64_t eventNumber = 0;       // numbers the presses and releases of the mouse
    int32_t clickCount = 0;
    std::string characters;        // UTF-8
    std::string charactersIgnoringModifiers; // UTF-8, as typed with Shift alone: Ctrl, Alt, Super aside
    uint16_t keyCode = 0;
    bool isRepeat = false;
    double deltaX = 0.0;           // wheel movement
    double deltaY = 0.0;
    int16_t subtype = 0;           // application-defined events
    int64_t data1 = 0;
    int64_t data2 = 0;

    static Ref<Event> New(EventType type)
    {
        Ref<Event> event = Ref<Event>::Adopt(new Event);
        event->type = type;
        return event;
    }
    uint64_t Mask() const { return EventMask(type); }
    bool IsMouse() const;
    bool IsKey() const;

private:
    Event() = default;
};

} // namespace plat
