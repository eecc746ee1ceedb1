#pragma once
#include <cstdint>
#include <string>

namespace plat {

// What a desktop key stands for in the model's key events.
struct KeyText {
    std::string characters;        // UTF-8, the key's own text with Shift and Caps Lock applied
    std::string ignoringModifiers; // UTF-8, the key's text with Shift only: Ctrl, Alt and Super aside
    bool isModifier = false;       // Shift, Ctrl, Alt, Super, Caps Lock: a flags change
    bool isFunction = false;       // arrows, Return, Escape ...: never typed text
};

// The model's modifier flags for an SDL modifier state: Ctrl plays the command key, Alt the
// option key, Super the control key; Shift and Caps Lock are themselves.
uint32_t ModifierFlags(uint32_t sdlModifiers);
// The model's characters for an SDL key code under an SDL modifier state: arrows, Home,
// End, Page Up/Down, forward Delete and F1-F12 as the private-use function-key characters
// (Up 0xF700 ...), Return "\r", keypad Enter "\x03", Escape "\x1b", Backspace "\x7f", Tab
// "\t" (Shift+Tab "\x19"); printable keys as their character. SDL's key code is the key's
// character without Shift; with Shift held, a letter is its capital and any other key the
// character `shifted` that the keyboard layout gives it (0 when the layout does not say:
// the key's own character then).
KeyText KeyTextOf(int32_t sdlKeyCode, uint32_t sdlModifiers, uint32_t shifted = 0);
// The character the desktop's current keyboard layout gives the key of an SDL key code with
// Shift held, whatever other modifiers are held: on a US layout "@" for the 2 key, "?" for
// the slash key. Read from the X server's layout of the window's display; 0 when there is
// none, the key is not on it, or the shifted key types no character.
uint32_t ShiftedCharacterOnLayout(uint32_t sdlWindowId, int32_t sdlKeyCode);

} // namespace plat
