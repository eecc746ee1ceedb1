#include "foundation/async/LTicks.h"
#include "platform/Clock.h"

uint32_t LTicks::Now()
{
    return uint32_t((plat::NowUs() + 500) / 1000);
}

void LTicks::SleepFor(const uint32_t& ms)
{
    const uint32_t start = Now();
    for (;;) {
        const int32_t left = Diff(start + ms, Now());
        if (left <= 0)
            return;
        plat::SleepUs(uint64_t(left) * 1000);
    }
}
