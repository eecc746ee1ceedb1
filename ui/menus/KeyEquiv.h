#pragma once
#include <cstdint>

class LKeyboard;
class LStrStream;

// Key equivalents as texts: lower-case modifier letters ("c" control, "o" option, "s" shift,
// "n" no command key) followed by one printable key that is not a lower-case letter. Without
// "n" the command key belongs to the equivalent: "sS" is command-shift-S, "nA" a plain A.
namespace KeyEquiv {

// Bits of a parsed equivalent's mask.
inline constexpr uint32_t kShift = 1;
inline constexpr uint32_t kControl = 2;
inline constexpr uint32_t kOption = 4;
inline constexpr uint32_t kCommand = 8;

struct Parsed {
    uint8_t key = 0;
    uint32_t mask = 0;
};

// Parses a key-equivalent text; false when it is empty, ends before its key, or the key is
// not printable (32..126). Other lower-case letters before the key are skipped.
bool Parse(const char* text, Parsed& out);
// Writes the key-equivalent text of the keyboard's current key press; false, with nothing
// useful written, when the upper-cased key is not printable.
bool WriteSpec(const LKeyboard& keyboard, LStrStream& out);
// Writes the current key press for display, as Render does.
bool WriteDisplay(const LKeyboard& keyboard, LStrStream& out);
// Writes a parsed equivalent for display as Linux users read it: "Super+", "Ctrl+", "Alt+",
// "Shift+" as they apply (for control, command, option and shift), then the key ("Space" for
// the space bar): "Ctrl+Shift+Z". Nothing and false for a key outside 32..126.
bool Render(const Parsed& parsed, LStrStream& out);
// Whether control, option or command is held.
bool HasMenuModifier(const LKeyboard& keyboard);

} // namespace KeyEquiv
