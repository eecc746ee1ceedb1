#include "analysis/NiceStep.h"

#include <cmath>

float NiceStep(float v)
{
    if (!(v > 0.0f) || !std::isfinite(v))
        return 1.0f;
    float p = 1.0f;
    float m = v;
    if (!(v >= 1.0f && v < 10.0f)) {
        p = static_cast<float>(std::pow(10.0, std::floor(std::log10(static_cast<double>(v)))));
        if (!(p > 0.0f) || !std::isfinite(p))
            return 1.0f;
        m = v / p;
    }
    const float step = m <= 1.2f ? p * 0.1f : m <= 2.4f ? p * 0.2f : m <= 6.0f ? p * 0.5f : p;
    // Near the smallest floats the fraction of p can round to zero; p itself still advances.
    return step > 0.0f ? step : p;
}
