#pragma once
#include <cmath>
#include <cstdint>

// 32-bit integer arithmetic shared by both layout engines. Layout texts are user-editable, so
// every operation wraps around instead of overflowing, and none of them can trap.
namespace LayoutMath {

inline int32_t Add(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
inline int32_t Sub(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
inline int32_t Mul(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }
inline int32_t Neg(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }

// Truncating division; a zero divisor gives 0 and INT32_MIN / -1 wraps to INT32_MIN.
inline int32_t Div(int32_t a, int32_t b)
{
    if (b == 0)
        return 0;
    if (b == -1)
        return Neg(a);
    return a / b;
}

// The single-precision square root rounded to the nearest integer, halves away from zero;
// a negative argument has no root and gives 0.
inline int32_t RoundedSqrt(int32_t a)
{
    if (a <= 0)
        return 0;
    return static_cast<int32_t>(std::lround(std::sqrt(static_cast<float>(a))));
}

} // namespace LayoutMath
