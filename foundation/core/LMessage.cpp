#include "foundation/core/LMessage.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/StrEqual.h"

void LMessage::Make(LMessage& record, const char* type, LHandler* subject, LHandler* recipient) noexcept
{
    record = LMessage(type, subject, recipient);
}

void LMessage::Clear(LMessage& record) noexcept
{
    record = LMessage();
}

void LMessage::Redirect(LMessage& result, const LMessage& message, LHandler* recipient) noexcept
{
    result = LMessage(message.type, message.subject, recipient);
}

void LMessage::Send(const LMessage& message)
{
    LMessage cur = message;
    const char* lastType = cur.type;
    LHandler* lastSubject = cur.subject;
    while (cur.subject) {
        LHandler* handler = cur.recipient;
        if (!handler)
            return;
        const LMessage offered = cur;
        handler->HandleMessage(cur, offered);
        if (cur.subject != lastSubject) {
            lastType = cur.type;
            lastSubject = cur.subject;
        } else if (!StrEqual(cur.type, lastType)) {
            lastType = cur.type;
        } else if (handler == cur.subject) {
            // The subject itself passed its own message on unchanged: nobody took it.
            return;
        }
    }
}
