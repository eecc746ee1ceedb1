#include "ui/drop/CScrollHelper.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/KeyRepeat.h"
#include "platform/system/InputSettings.h"

const char* CScrollHelper::msgScroll = "CScrollHelper_Scroll";

namespace {

uint32_t RepeatDelay() { return uint32_t(KeyRepeatDelay(plat::KeyRepeatDelayTicks())); }
uint32_t RepeatInterval() { return uint32_t(KeyRepeatInterval(plat::KeyRepeatIntervalTicks())); }

int32_t Direction(int32_t value, int32_t low, int32_t high)
{
    return value < low ? -1 : value >= high ? 1 : 0;
}

} // namespace

CScrollHelper::CScrollHelper(LHandler* parent) : LHandler(parent), fTimer(this) {}

void CScrollHelper::Track(const CLPoint& point, const CLRect& rect, int32_t marginX, int32_t marginY)
{
    CLRect quiet = rect;
    quiet.Inset(marginX, marginY);
    if (quiet.Contains(point)) {
        Stop();
        return;
    }
    fDirX = Direction(point.x, quiet.left, quiet.right);
    fDirY = Direction(point.y, quiet.top, quiet.bottom);
    if (fStage == 0) {
        fStage = 1;
        fTimer.Start(RepeatDelay());
    }
}

void CScrollHelper::Stop()
{
    fTimer.Stop();
    fDirX = 0;
    fDirY = 0;
    fStage = 0;
}

void CScrollHelper::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        if (fStage < 2) {
            ++fStage;
            fTimer.Start(RepeatDelay());
        } else {
            fTimer.Start(RepeatInterval());
        }
        LMessage::Make(result, msgScroll, this, Parent());
        return;
    }
    LHandler::HandleMessage(result, msg);
}
