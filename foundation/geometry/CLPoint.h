#pragma once
#include <cstdint>

// A pixel position in integer window coordinates (origin top-left, y grows downward).
struct CLPoint {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const CLPoint&, const CLPoint&) = default;
};
