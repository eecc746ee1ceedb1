#pragma once
#include <cstdint>
#include <string>

namespace plat {

// What a desktop key stands for in the model's key events.
struct KeyText {
    std::string characters;        // UTF-8, the key's own text with Shift applied
    std::string ignoringModifiers; // UTF-8, the key as if no modifier were held
    bool isModifier = false;       // Shift, Ctrl, Alt, Super, Caps Lock: a flags change
    bool isFunction = false;       // arrows, Return, Escape ...: never typed text
};

// The model's modifier flags for an SDL modifier state: Ctrl plays the command key, Alt the
// option key, Super the control key; Shift and Caps Lock are themselves.
uint32_t ModifierFlags(uint32_t sdlModifiers);
// The model's characters for an SDL key code under an SDL modifier state: arrows, Home,
// End, Page Up/Down, forward Delete and F1-F12 as the private-use function-key characters
// (Up 0xF700 ...), Return "\r", keypad Enter "\x03", Escape "\x1b", Backspace "\x7f", Tab
// "\t" (Shift+Tab "\x19"); printable keys as their character.
KeyText KeyTextOf(int32_t sdlKeyCode, uint32_t sdlModifiers);

} // namespace plat
