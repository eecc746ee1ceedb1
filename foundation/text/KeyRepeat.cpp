#include "foundation/text/KeyRepeat.h"

#include <algorithm>

namespace {

int32_t TicksToMs(int32_t ticks, int32_t maximum)
{
    const int64_t ms = int64_t{std::max(ticks, 0)} * 1000 / 60;
    return static_cast<int32_t>(std::min<int64_t>(ms, maximum));
}

} // namespace

int32_t KeyRepeatDelay(int32_t thresholdTicks)
{
    return TicksToMs(thresholdTicks, 1000);
}

int32_t KeyRepeatInterval(int32_t repeatTicks)
{
    return TicksToMs(repeatTicks, 500);
}
