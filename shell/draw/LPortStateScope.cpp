#include "shell/draw/LPortStateScope.h"
#include "platform/draw/Canvas.h"
#include "ui/draw/LPortState.h"

LPortStateScope::LPortStateScope(LPortState& port) : fPort(port), fSavedFlags(port.ChangeFlags())
{
    if (plat::Canvas* canvas = port.Context())
        canvas->Save();
    port.ApplyPending();
}

LPortStateScope::~LPortStateScope()
{
    if (plat::Canvas* canvas = fPort.Context())
        canvas->Restore();
    fPort.SetChangeFlags(fSavedFlags);
}
