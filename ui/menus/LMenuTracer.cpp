#include "ui/menus/LMenuTracer.h"

#include "foundation/core/LMessage.h"
#include "ui/menus/LMenu.h"

const char* LMenuTracer::msgTrace = "LMenuTracer_Trace";

LMenu* LMenuTracer::Trace(LHandler* handler, const char* menuName, LMenuBar** bar)
{
    LMenuTracer tracer(menuName);
    if (handler)
        LMessage::Send(LMessage(msgTrace, &tracer, handler->Parent()));
    if (bar)
        *bar = tracer.fBar;
    return tracer.fMenu;
}

void LMenuTracer::Offer(LMenu* menu)
{
    if (!fMenu && (fName.IsEmpty() || menu->Name() == fName))
        fMenu = menu;
}

void LMenuTracer::Offer(LMenuBar* bar)
{
    if (!fBar)
        fBar = bar;
}
