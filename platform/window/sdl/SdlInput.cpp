#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/sdl/SdlBackendImpl.h"
#include "platform/window/sdl/SdlKeys.h"

namespace plat {

namespace {

// A model event for a window of the backend, stamped and placed in the window's base
// coordinates; null when the SDL window shows no model window.
Ref<Event> WindowEvent(const SdlBackend::Impl& impl, EventType type, uint32_t sdlWindowId)
{
    Window* window = impl.ModelWindow(sdlWindowId);
    if (!window)
        return {};
    Ref<Event> event = Event::New(type);
    event->timestamp = EventQueue::Timestamp();
    event->windowNumber = window->Number();
    event->modifierFlags = ModifierFlags(SDL_GetModState());
    return event;
}

void PlaceAt(Event& event, double x, double y)
{
    if (Window* window = WindowServer::Shared().WithNumber(event.windowNumber))
        event.locationInWindow = ClientToBase(*window, x, y);
}

bool TranslateMotion(const SdlBackend::Impl& impl, EventQueue& queue, const SDL_MouseMotionEvent& motion,
                     const SDL_Event* next, bool* consumedNext)
{
    // Moves of one batch come together: only the last of a run reaches the model.
    if (next && next->type == SDL_MOUSEMOTION && next->motion.windowID == motion.windowID
        && next->motion.state == motion.state)
        return true;
    (void)consumedNext;
    EventType type = EventType::MouseMoved;
    if (motion.state & SDL_BUTTON_LMASK)
        type = EventType::LeftMouseDragged;
    else if (motion.state & SDL_BUTTON_RMASK)
        type = EventType::RightMouseDragged;
    Ref<Event> event = WindowEvent(impl, type, motion.windowID);
    if (!event)
        return true;
    PlaceAt(*event, motion.x, motion.y);
    queue.Post(event);
    return true;
}

bool TranslateButton(const SdlBackend::Impl& impl, EventQueue& queue, const SDL_MouseButtonEvent& button)
{
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    EventType type;
    if (button.button == SDL_BUTTON_LEFT)
        type = down ? EventType::LeftMouseDown : EventType::LeftMouseUp;
    else if (button.button == SDL_BUTTON_RIGHT)
        type = down ? EventType::RightMouseDown : EventType::RightMouseUp;
    else
        return true; // the model has no other buttons
    Ref<Event> event = WindowEvent(impl, type, button.windowID);
    if (!event)
        return true;
    PlaceAt(*event, button.x, button.y);
    event->eventNumber = queue.NextEventNumber();
    event->clickCount = button.clicks;
    queue.Post(event);
    return true;
}

bool TranslateWheel(const SdlBackend::Impl& impl, EventQueue& queue, const SDL_MouseWheelEvent& wheel)
{
    Ref<Event> event = WindowEvent(impl, EventType::ScrollWheel, wheel.windowID);
    if (!event)
        return true;
    PlaceAt(*event, wheel.mouseX, wheel.mouseY);
    const double flip = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1.0 : 1.0;
    // Positive y scrolls up (away from the user); positive x scrolls left, as the model counts.
    event->deltaY = flip * double(wheel.preciseY);
    event->deltaX = -flip * double(wheel.preciseX);
    queue.Post(event);
    return true;
}

bool TranslateKey(const SdlBackend::Impl& impl, EventQueue& queue, const SDL_KeyboardEvent& key,
                  const SDL_Event* next, bool* consumedNext)
{
    const bool down = key.type == SDL_KEYDOWN;
    // SDL names the key as typed without Shift; what it types with Shift comes from the layout,
    // also while Ctrl is held and no text arrives.
    const uint32_t shifted = (key.keysym.mod & KMOD_SHIFT) ? ShiftedCharacterOnLayout(key.windowID, key.keysym.sym) : 0;
    const KeyText text = KeyTextOf(key.keysym.sym, key.keysym.mod, shifted);
    Ref<Event> event = WindowEvent(impl, text.isModifier ? EventType::FlagsChanged
                                                         : down ? EventType::KeyDown : EventType::KeyUp,
                                   key.windowID);
    if (!event)
        return true;
    event->modifierFlags = ModifierFlags(key.keysym.mod);
    event->keyCode = uint16_t(key.keysym.scancode);
    event->isRepeat = key.repeat != 0;
    event->characters = text.characters;
    event->charactersIgnoringModifiers = text.ignoringModifiers;
    // The text a press typed comes right after it: it is the press's characters.
    if (down && next && next->type == SDL_TEXTINPUT && !text.isModifier && !text.isFunction) {
        event->characters = next->text.text;
        *consumedNext = true;
    }
    queue.Post(event);
    return true;
}

// Text that came without a key press (a composed character): a key press of its own.
bool TranslateText(const SdlBackend::Impl& impl, EventQueue& queue, const SDL_TextInputEvent& text)
{
    for (EventType type : {EventType::KeyDown, EventType::KeyUp}) {
        Ref<Event> event = WindowEvent(impl, type, text.windowID);
        if (!event)
            return true;
        event->characters = text.text;
        event->charactersIgnoringModifiers = text.text;
        queue.Post(event);
    }
    return true;
}

} // namespace

bool TranslateInput(SdlBackend::Impl& impl, EventQueue& queue, const SDL_Event& event, const SDL_Event* next,
                    bool* consumedNext)
{
    switch (event.type) {
    case SDL_MOUSEMOTION: return TranslateMotion(impl, queue, event.motion, next, consumedNext);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return TranslateButton(impl, queue, event.button);
    case SDL_MOUSEWHEEL: return TranslateWheel(impl, queue, event.wheel);
    case SDL_KEYDOWN:
    case SDL_KEYUP: return TranslateKey(impl, queue, event.key, next, consumedNext);
    case SDL_TEXTINPUT: return TranslateText(impl, queue, event.text);
    default: return false;
    }
}

} // namespace plat
