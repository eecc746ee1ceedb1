#include "controls/edit/NumberEntry.h"

#include <algorithm>
#include <cmath>

namespace NumberEntry {

std::string CutToNumber(std::string_view text, bool pointAllowed)
{
    bool seenPoint = false;
    size_t end = 0;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c >= '0' && c <= '9')
            continue;
        if (c == '-' && end == 0)
            continue;
        if (c == '.' && pointAllowed && !seenPoint) {
            seenPoint = true;
            continue;
        }
        break;
    }
    return std::string(text.substr(0, end));
}

double Limit(double value, float minimum, float maximum)
{
    if (std::isnan(value))
        return minimum;
    if (value > maximum)
        value = maximum;
    if (value < minimum)
        value = minimum;
    return value + 0.0;   // -0 reads as 0
}

double StepBy(double value, int32_t n, float step, float minimum, float maximum)
{
    const float product = static_cast<float>(n) * step;
    return Limit(value + static_cast<double>(product), minimum, maximum);
}

int32_t ScaleExternalStep(int32_t n, float minimum, float maximum, float step)
{
    if (n > -10 && n < 10)
        return n;
    const double ratio = (static_cast<double>(maximum) - minimum) / (static_cast<double>(step) * 100.0);
    double m = std::isfinite(ratio) ? std::round(ratio) : 1.0;
    m = std::clamp(m, 1.0, 2147483647.0);
    const double scaled = std::trunc(m * n / 10.0);
    return static_cast<int32_t>(std::clamp(scaled, -2147483648.0, 2147483647.0));
}

double KeyStepIncrement(bool shift, float step, float minimum, float maximum)
{
    if (shift)
        return step;
    return std::max(static_cast<double>(step), (static_cast<double>(maximum) - minimum) / 10.0);
}

double WheelStepAt(std::string_view text, double textWidth, int32_t offset, uint32_t decimals)
{
    if (text.empty() || !(textWidth > 0))
        return 0.0;
    const int64_t length = static_cast<int64_t>(text.size());
    const int64_t lowest = text.front() == '-' ? 1 : 0;
    const int64_t index = std::clamp<int64_t>(static_cast<int64_t>(offset * length / textWidth), lowest, length - 1);
    const int64_t right = length - 1 - index;
    int64_t exponent = right;
    if (decimals != 0)
        exponent = right > decimals ? right - decimals - 1 : right - static_cast<int64_t>(decimals);
    return std::pow(10.0, static_cast<double>(exponent));
}

} // namespace NumberEntry
