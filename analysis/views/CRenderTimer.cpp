#include "analysis/views/CRenderTimer.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"

const char* CRenderTimer::msgTime = "CRenderTimer_Time";

CRenderTimer::CRenderTimer(LHandler* owner) : LHandler(owner), fTimer(this) {}

void CRenderTimer::Request()
{
    fRequested = true;
    if (!fTimer.IsArmed())
        fTimer.Start(0);
}

void CRenderTimer::BeginRender()
{
    fStartMs = LTicks::Now();
    fTimer.Start(fMeanAcc / 32);
}

void CRenderTimer::EndRender()
{
    fMeanAcc = fMeanAcc + (LTicks::Now() - fStartMs) - fMeanAcc / 32;
}

void CRenderTimer::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LTimer::msgExpire) && msg.subject == &fTimer) {
        if (!fRequested) {
            LMessage::Clear(result);
            return;
        }
        fRequested = false;
        result = LMessage{msgTime, this, Parent()};
        return;
    }
    LHandler::HandleMessage(result, msg);
}
