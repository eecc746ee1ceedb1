#include "platform/controls/ProgressIndicator.h"

#include <algorithm>
#include <cmath>

namespace plat {

double ProgressIndicator::FilledFraction() const
{
    if (fIndeterminate || !(fMax > fMin) || std::isnan(fValue))
        return 0.0;
    return std::clamp((fValue - fMin) / (fMax - fMin), 0.0, 1.0);
}

} // namespace plat
