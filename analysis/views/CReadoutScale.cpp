#include "analysis/views/CReadoutScale.h"

#include <algorithm>
#include <cmath>

float CReadoutScale::Step() const
{
    return std::pow(10.0f, -float(decimals));
}

float CReadoutScale::CursorOf(float n, float min, float max)
{
    const float span = max - min;
    if (!(span > 0.0f) || !std::isfinite(span) || std::isnan(n))
        return 0.0f;
    return std::clamp((n - min) / span, 0.0f, 1.0f);
}

uint8_t ReadoutDecimals(float range, uint32_t bits)
{
    const double step = double(range) / std::ldexp(1.0, int(std::min<uint32_t>(bits, 64)));
    if (!(step > 0.0) || !std::isfinite(step))
        return 0;
    const double l = std::log10(step);
    const double rounded = std::trunc(l + std::copysign(0.5, l));
    return uint8_t(std::clamp(-rounded, 0.0, 3.0));
}
