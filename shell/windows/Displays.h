#pragma once
#include "foundation/geometry/CLRect.h"

#include <cstdint>

// The displays of the desktop, by id, with bounds in framework screen coordinates.

// The index-th active display id; index 0 first refreshes the list. 0 past the end.
uint32_t GetActiveDisplay(uint32_t index);
// The id of the main display (the one with the menu bar); 0 without a display.
uint32_t MainDisplayId();
// A display's bounds, integral and held to 32 bits; empty for an unknown id.
CLRect GetDisplayBounds(uint32_t displayId);
// The part of the main display's bounds that lies on the screens' visible areas.
CLRect GetMainScreenVisibleRect();

struct Desktop {
    static CLRect MainDisplayBounds();
};
