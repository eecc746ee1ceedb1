#include "platform/controls/ProgressIndicator.h"

#include "platform/controls/ControlLook.h"

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

namespace plat {

void ProgressIndicator::Draw(Canvas& canvas) const
{
    using namespace ControlLook;
    Bevel(canvas, Rect{0, 0, Width(), Height()}, kWhite, IsEnabled());
    canvas.SetFillColor(kAccent);
    if (fIndeterminate) {
        for (double x = 2; x < Width() - 2; x += 12)
            canvas.FillRect(Rect{x, 2, std::min(6.0, Width() - 2 - x), Height() - 4});
        return;
    }
    canvas.FillRect(Rect{1, 1, (Width() - 2) * FilledFraction(), Height() - 2});
}

} // namespace plat
