#pragma once
#include <cstdint>

// An RGB triplet of bytes.
struct LRGB {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    // Each component is held to 255; compared unsigned, so a negative value also gives 255.
    void Set(int32_t r, int32_t g, int32_t b)
    {
        red = Clamp(r);
        green = Clamp(g);
        blue = Clamp(b);
    }
    friend bool operator==(const LRGB&, const LRGB&) = default;

private:
    static uint8_t Clamp(int32_t value)
    {
        uint32_t u = static_cast<uint32_t>(value);
        return static_cast<uint8_t>(u > 255 ? 255 : u);
    }
};
