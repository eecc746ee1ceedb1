#include "platform/window/sdl/SdlKeys.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace plat {

namespace {

// The keysym of a character: Latin-1 characters are their own keysyms, the others the Unicode
// range; NoSymbol for control characters.
KeySym KeysymOf(uint32_t c)
{
    if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c >= 0x100 && c < 0x110000)
        return 0x01000000 | c;
    return NoSymbol;
}

// The character of a keysym of those two ranges; 0 for any other (a dead key, a function key).
uint32_t CharacterOf(KeySym sym)
{
    if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF))
        return uint32_t(sym);
    if (sym >= 0x01000100 && sym <= 0x0110FFFF)
        return uint32_t(sym & 0xFFFFFF);
    return 0;
}

Display* DisplayOf(uint32_t sdlWindowId)
{
    SDL_Window* window = SDL_GetWindowFromID(sdlWindowId);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    return info.info.x11.display;
}

// What the key types with the core modifier state (modifiers and group), as the layout's key
// types say; NoSymbol when nothing.
KeySym SymbolAt(Display* display, int keycode, unsigned int state)
{
    unsigned int consumed = 0;
    KeySym sym = NoSymbol;
    return XkbLookupKeySym(display, KeyCode(keycode), state, &consumed, &sym) ? sym : NoSymbol;
}

} // namespace

uint32_t ShiftedCharacterOnLayout(uint32_t sdlWindowId, int32_t sdlKeyCode)
{
    if (sdlKeyCode >= 'a' && sdlKeyCode <= 'z')
        return uint32_t(sdlKeyCode - 'a' + 'A');
    const KeySym plain = sdlKeyCode > 0 ? KeysymOf(uint32_t(sdlKeyCode)) : NoSymbol;
    Display* display = plain == NoSymbol ? nullptr : DisplayOf(sdlWindowId);
    XkbStateRec state;
    if (!display || XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return 0;
    // SDL names a key by what it types without modifiers in the layout's current group: the key
    // is found by that, and asked what it types with Shift in the same group (Ctrl, Alt and
    // Super held with it change nothing here).
    int first = 0, last = 0;
    XDisplayKeycodes(display, &first, &last);
    for (int keycode = first; keycode <= last; ++keycode)
        if (SymbolAt(display, keycode, XkbBuildCoreState(0, state.group)) == plain)
            return CharacterOf(SymbolAt(display, keycode, XkbBuildCoreState(ShiftMask, state.group)));
    return 0;
}

} // namespace plat
