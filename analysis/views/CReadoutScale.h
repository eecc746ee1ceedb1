#pragma once
#include <cstdint>

// Maps a cursor value c (0 .. 1, as a 'CHAN' record stores it) to the number a cursor field
// shows, and an edited number back to a cursor value.
struct CReadoutScale {
    float offset = 0.0f;
    float scale = 1.0f;
    float min = 0.0f;
    float max = 1.0f;
    uint8_t decimals = 0;

    // (c - offset) x scale.
    float Shown(float c) const { return (c - offset) * scale; }
    // The step of the field: 10^-decimals.
    float Step() const;
    // clamp((n - min) / (max - min), 0, 1); 0 for an empty or invalid range or a NaN.
    static float CursorOf(float n, float min, float max);
};

// Decimals worth showing for a full scale of `range` read with `bits` of resolution:
// min(3, max(0, -round(log10(range / 2^bits)))); 0 for a range that is not positive.
uint8_t ReadoutDecimals(float range, uint32_t bits);
