#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/StrEqual.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Records every message offered to it; consumes the types it is told to.
class RecordingHandler : public LHandler {
public:
    explicit RecordingHandler(LHandler* parent = nullptr, std::string consume = {})
        : LHandler(parent), fConsume(std::move(consume))
    {
    }
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        seen.push_back(msg.type ? msg.type : "");
        if (onMessage)
            onMessage(msg);
        if (!fConsume.empty() && StrEqual(msg.type, fConsume.c_str())) {
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    std::vector<std::string> seen;
    std::function<void(const LMessage&)> onMessage;

private:
    std::string fConsume;
};
