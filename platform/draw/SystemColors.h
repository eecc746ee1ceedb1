#pragma once
#include "platform/draw/Canvas.h"

namespace plat {

// The desktop's named colours, in the program's own look.
enum class SystemColor {
    WindowBackground,
    SelectedTextBackground,
    KeyboardFocusIndicator,
    TextBackground,
    Text,
    SelectedText,
    DisabledControlText,
    ControlText,
    SelectedControlText,
};

// The colour of a named colour; the same on every machine.
Color SystemColorValue(SystemColor which);

} // namespace plat
