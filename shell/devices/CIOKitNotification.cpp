#include "shell/devices/CIOKitNotification.h"
#include "foundation/core/StrEqual.h"
#include "platform/runloop/RunLoopSource.h"

const char* CIOKitNotification::msgNote = "CIOKitNotification_Note";

CIOKitNotification::CIOKitNotification(LHandler* parent, const plat::DeviceMatch* match, plat::DeviceNotice notice,
                                       plat::DeviceRegistry& registry)
    : LHandler(parent), fStartTimer(this)
{
    fPort = std::make_unique<plat::RunLoopSource>(plat::RunLoop::Current(), [this] { Note(); });
    if (!match)
        return;
    plat::RunLoopSource* port = fPort.get();
    fIterator = CIOObjectRef(registry.Notify(notice, *match, [port] { port->Signal(); }));
    if (fIterator)
        fStartTimer.Start(0);
}

CIOKitNotification::~CIOKitNotification()
{
    // The request goes first: the registry must not wake a port that is gone.
    fPort->Invalidate();
    fIterator.Reset();
    fPort.reset();
}

void CIOKitNotification::Note()
{
    LMessage::Send(LMessage(msgNote, this, Parent() ? Parent() : this));
}

void CIOKitNotification::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fStartTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        LMessage::Make(result, msgNote, this, Parent() ? Parent() : this);
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgNote)) {
        DrainIterator(fIterator.Get());
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}
