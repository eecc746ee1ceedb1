#pragma once
#include <cmath>
#include <cstdint>

// Rounds to nearest, halves away from zero, in single precision as the stored settings are
// kept: trunc(x + copysign(0.49999997, x)). An exact half goes away from zero because the
// float sum of a half and that constant rounds up to the next integer.
inline float RoundHalfAway(float x)
{
    return std::trunc(x + std::copysign(0.49999997f, x));
}

// The rounded value as an index within 0 .. limit; below 0 and not a number give 0.
inline uint32_t RoundToIndex(float x, uint32_t limit)
{
    const float r = RoundHalfAway(x);
    if (!(r > 0.0f))
        return 0;
    return r >= float(limit) ? limit : uint32_t(r);
}
