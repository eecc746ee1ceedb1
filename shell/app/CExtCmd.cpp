#include "shell/app/CExtCmd.h"

#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"

const char* CExtCmd::msgOpen = "CExtCmd_Open";
const char* CExtCmd::msgAE = "CExtCmd_AE";

CExtCmd::CExtCmd(const LStringRef& command) : LHandler(nullptr), fCommand(command) {}

void CExtCmd::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgAE)) {
        flag = 0;
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

bool CExtCmd::GetPath(uint32_t index, LStringRef& path) const
{
    if (index >= fPaths.Count())
        return false;
    path = fPaths.At(index);
    return true;
}
