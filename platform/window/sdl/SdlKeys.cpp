#include "platform/window/sdl/SdlKeys.h"
#include "platform/window/Event.h"

#include <SDL.h>

#include <cctype>

namespace plat {

namespace {

std::string Utf8(uint32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x110000) {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}

// The character of a key that types no text; 0 for other keys.
uint32_t FunctionCharacter(int32_t key, bool shift)
{
    switch (key) {
    case SDLK_UP: return 0xF700;
    case SDLK_DOWN: return 0xF701;
    case SDLK_LEFT: return 0xF702;
    case SDLK_RIGHT: return 0xF703;
    case SDLK_DELETE: return 0xF728;
    case SDLK_HOME: return 0xF729;
    case SDLK_END: return 0xF72B;
    case SDLK_PAGEUP: return 0xF72C;
    case SDLK_PAGEDOWN: return 0xF72D;
    case SDLK_RETURN: return 13;
    case SDLK_KP_ENTER: return 3;
    case SDLK_ESCAPE: return 27;
    case SDLK_BACKSPACE: return 127;
    case SDLK_TAB: return shift ? 25 : 9;
    default: break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 0xF704 + uint32_t(key - SDLK_F1);
    return 0;
}

bool IsModifierKey(int32_t key)
{
    switch (key) {
    case SDLK_LSHIFT: case SDLK_RSHIFT: case SDLK_LCTRL: case SDLK_RCTRL: case SDLK_LALT: case SDLK_RALT:
    case SDLK_LGUI: case SDLK_RGUI: case SDLK_CAPSLOCK: case SDLK_MODE: return true;
    default: return false;
    }
}

} // namespace

uint32_t ModifierFlags(uint32_t sdlModifiers)
{
    uint32_t flags = 0;
    if (sdlModifiers & KMOD_CTRL)
        flags |= kModCommand;
    if (sdlModifiers & KMOD_ALT)
        flags |= kModOption;
    if (sdlModifiers & KMOD_GUI)
        flags |= kModControl;
    if (sdlModifiers & KMOD_SHIFT)
        flags |= kModShift;
    if (sdlModifiers & KMOD_CAPS)
        flags |= kModCapsLock;
    return flags;
}

KeyText KeyTextOf(int32_t sdlKeyCode, uint32_t sdlModifiers, uint32_t shifted)
{
    KeyText text;
    const bool shift = sdlModifiers & KMOD_SHIFT;
    if (IsModifierKey(sdlKeyCode)) {
        text.isModifier = true;
        return text;
    }
    if (const uint32_t c = FunctionCharacter(sdlKeyCode, shift)) {
        text.isFunction = true;
        text.characters = text.ignoringModifiers = Utf8(c);
        return text;
    }
    if (sdlKeyCode < 32 || (sdlKeyCode & SDLK_SCANCODE_MASK) || sdlKeyCode >= 0x110000)
        return text;
    if (sdlKeyCode < 128 && std::isalpha(sdlKeyCode)) {
        // Caps Lock makes capitals of what is typed, not of the key itself.
        const auto capital = Utf8(uint32_t(std::toupper(sdlKeyCode)));
        const auto small = Utf8(uint32_t(sdlKeyCode));
        text.ignoringModifiers = shift ? capital : small;
        text.characters = shift != bool(sdlModifiers & KMOD_CAPS) ? capital : small;
        return text;
    }
    text.characters = text.ignoringModifiers = Utf8(shift && shifted ? shifted : uint32_t(sdlKeyCode));
    return text;
}

} // namespace plat
