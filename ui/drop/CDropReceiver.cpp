#include "ui/drop/CDropReceiver.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "shell/windows/LDrop.h"
#include "ui/drop/LDropRegistry.h"
#include "ui/panes/LPane.h"

CDropReceiver::CDropReceiver(LPane* pane) : fPane(pane), fWindow(pane ? pane->GetNativeWindow() : nullptr)
{
    LDropRegistry::Register(fWindow);
}

CDropReceiver::~CDropReceiver()
{
    if (LDrop* drop = LDropRegistry::Find(fWindow))
        drop->ForgetPane(fPane);
    LDropRegistry::Unregister(fWindow);
}

uint32_t CDropReceiver::Classify(const LMessage& msg)
{
    if (StrEqual(msg.type, LDrop::msgSense)) {
        if (auto* drag = dynamic_cast<LDrop*>(msg.subject))
            drag->EnterPane(fPane);
        return kSense;
    }
    if (StrEqual(msg.type, LDrop::msgEnter)) {
        fDrag = dynamic_cast<LDrop*>(msg.subject);
        return kEnter;
    }
    if (StrEqual(msg.type, LDrop::msgDrag))
        return fDrag ? kDrag : kOther;
    if (StrEqual(msg.type, LDrop::msgDrop))
        return fDrag ? kDrop : kOther;
    if (StrEqual(msg.type, LDrop::msgLeave)) {
        if (!fDrag)
            return kOther;
        fDrag = nullptr;
        return kLeave;
    }
    return kOther;
}

void CDropReceiver::SetAccept(int32_t kind)
{
    if (fDrag)
        fDrag->SetAccept(kind);
}
