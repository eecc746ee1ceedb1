#pragma once
#include "foundation/async/LAsyncEvent.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "platform/Clock.h"
#include "sources/CSampleSrc.h"
#include "tests/support/FireDueTimers.h"
#include "tests/support/StepQueue.h"
#include "ui/LTimer.h"

#include <string>
#include <vector>

// Runs the queue's timers and the main thread's notes on a virtual clock, one millisecond
// at a time.
class SourceTestLoop {
public:
    // Everything due now, on both threads, until nothing more happens.
    void Settle()
    {
        for (int pass = 0; pass < 10000; ++pass) {
            bool busy = false;
            {
                LAsyncQueueLock lock(queue);
                busy = queue.TimeToNext() == 0;
                queue.FireDueTimers();
            }
            busy = queue.DeliverSignals() > 0 || busy;
            queue.Drain();
            if (FireDueTimers() == 0 && !busy)
                return;
        }
    }
    void RunFor(uint32_t ms)
    {
        for (uint32_t i = 0; i < ms; ++i) {
            clock.AdvanceMs(1);
            Settle();
        }
    }

    plat::ScopedVirtualClock clock{500000};
    StepQueue queue;
};

// Pulls frames as a document window does: on "CSampleSrc_Data" of its source, Read until
// no frame is ready or an event without text comes.
class PullingWindow : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (source && msg.subject == source && StrEqual(msg.type, CSampleSrc::msgData)) {
            Pull();
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    void Pull()
    {
        float frame[4];
        for (;;) {
            const int32_t n = source->Read(frame, maxValues);
            if (n == 0)
                return;
            if (n < 0) {
                const LStringRef text = source->TakeText();
                if (text.IsEmpty())
                    return;
                texts.emplace_back(text.View());
                continue;
            }
            frames.emplace_back(frame, frame + n);
        }
    }

    CSampleSrc* source = nullptr;
    uint32_t maxValues = 4;
    std::vector<std::vector<float>> frames;
    std::vector<std::string> texts;
};
