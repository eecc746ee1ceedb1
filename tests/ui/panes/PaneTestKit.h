#pragma once
#include "foundation/core/StrEqual.h"
#include "ui/panes/LPane.h"
#include "ui/panes/LPaneContext.h"

#include <string>
#include <vector>

// A handler that keeps every message it is offered and consumes it.
class ConsumingRecorder : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        seen.push_back({msg.type ? msg.type : "", msg.subject});
        LMessage::Clear(result);
    }
    int Count(const char* type) const
    {
        int n = 0;
        for (const auto& m : seen)
            n += StrEqual(m.type.c_str(), type) ? 1 : 0;
        return n;
    }
    struct Seen {
        std::string type;
        LHandler* subject;
    };
    std::vector<Seen> seen;
};

// A pane that records its state events and the regions invalidated in it, and can play a
// host with a fixed context origin.
class RecordingPane : public LPane {
public:
    RecordingPane(LHandler* parent, LPane* host) : LPane(parent, host) {}

    void StateChanged(int32_t event) override
    {
        events.push_back(event);
        LPane::StateChanged(event);
    }
    void Invalidate(const LRegion& update, const LRegion& erase) override
    {
        updates.push_back(update);
        erases.push_back(erase);
    }
    void GetContext(LPaneContext& context) const override
    {
        if (Host())
            Host()->GetContext(context);
        context.originX += contextDx;
        context.originY += contextDy;
    }

    std::vector<int32_t> events;
    std::vector<LRegion> updates;
    std::vector<LRegion> erases;
    int32_t contextDx = 0;
    int32_t contextDy = 0;
};
