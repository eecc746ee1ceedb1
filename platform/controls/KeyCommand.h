#pragma once
#include "platform/controls/FieldEditor.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace plat {

// The first character of a key event's UTF-8 characters (0 when there is none).
uint32_t FirstCharacter(std::string_view characters);

// The edit command a key stands for, from its first character and modifier flags: the arrow
// function keys (0xF700 up, 0xF701 down, 0xF702 left, 0xF703 right, Shift extends), Home 0xF729,
// End 0xF72B, Backspace 8 and 127, forward Delete 0xF728, Return 13, Enter 3, line feed 10,
// Tab 9, back-tab 25, Escape 27. Other keys are no command.
std::optional<FieldEditor::Command> KeyToCommand(uint32_t character, uint32_t modifierFlags);

} // namespace plat
