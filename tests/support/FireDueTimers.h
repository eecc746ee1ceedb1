#pragma once
#include "foundation/async/LTicks.h"
#include "foundation/core/LMessage.h"
#include "ui/LTimer.h"

// Fires every timer due by now, as the main loop's pass does (a bounded number of rounds).
inline void FireDueTimers()
{
    for (int guard = 0; guard < 100; ++guard) {
        const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
        if (msg.IsConsumed())
            return;
        LMessage::Send(msg);
    }
}
