#include "foundation/core/LHandler.h"

const char* LHandler::msgDestructing = "LHandler_Destructing";

LHandler::~LHandler()
{
    LMessage::Send(LMessage(msgDestructing, this, fParent));
}

void LHandler::HandleMessage(LMessage& result, const LMessage& msg)
{
    LMessage::Redirect(result, msg, fParent ? fParent : msg.subject);
}

bool LHandler::IsOnChain(const LHandler* top, const LHandler* from, const LHandler* target) noexcept
{
    if (!target)
        return false;
    if (target == top)
        return true;
    for (const LHandler* h = from; h; h = h->fParent) {
        if (h == target)
            return true;
        if (h == top)
            return false;
    }
    return false;
}
