#include "analysis/CWindowFunc.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

// a - b cos(2 pi i / n) in double, the angle advanced by repeated addition; returns the mean.
float FillCosine(uint32_t n, float* out, double a, double b)
{
    if (n == 0)
        return std::numeric_limits<float>::quiet_NaN();
    const double step = 2.0 * std::numbers::pi / n;
    double angle = 0.0;
    double sum = 0.0;
    for (uint32_t i = 0; i < n; ++i) {
        const double v = a - b * std::cos(angle);
        out[i] = static_cast<float>(v);
        sum += v;
        angle += step;
    }
    return static_cast<float>(sum / n);
}

} // namespace

std::unique_ptr<CWindowFunc> CWindowFunc::Make(uint8_t kind)
{
    switch (kind) {
    case 1:
        return std::make_unique<CHanningWindow>();
    case 2:
        return std::make_unique<CHammingWindow>();
    default:
        return std::make_unique<CRectWindow>();
    }
}

float CRectWindow::Fill(uint32_t n, float* out) const
{
    for (uint32_t i = 0; i < n; ++i)
        out[i] = 1.0f;
    return 1.0f;
}

float CHanningWindow::Fill(uint32_t n, float* out) const
{
    return FillCosine(n, out, 0.5, 0.5);
}

float CHammingWindow::Fill(uint32_t n, float* out) const
{
    return FillCosine(n, out, 0.54, 0.46);
}
