#pragma once
#include "foundation/async/LTicks.h"
#include "foundation/core/LMessage.h"
#include "ui/LTimer.h"

// Fires every timer due by now, or `aheadMs` from now, as the main loop's pass does (a bounded
// number of rounds); answers how many fired.
inline int FireDueTimers(uint32_t aheadMs = 0)
{
    for (int fired = 0; fired < 100; ++fired) {
        const LMessage msg = LTimer::DispatchDue(LTicks::Now() + aheadMs, nullptr, nullptr, true);
        if (msg.IsConsumed())
            return fired;
        LMessage::Send(msg);
    }
    return 100;
}
