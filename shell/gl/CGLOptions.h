#pragma once
#include <cstdint>

// What a display asks of its OpenGL surface. A null options pointer means all zero.
struct CGLOptions {
    uint8_t depth = 0;     // depth-buffer bits; 0 none
    uint8_t samples = 0;   // fewer than 2: no multisampling
    uint8_t swapSync = 0;  // nonzero: wait for the display's refresh when presenting
};
