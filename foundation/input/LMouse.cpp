#include "foundation/input/LMouse.h"
#include "foundation/async/LTicks.h"
#include "platform/cursors/Cursor.h"
#include "platform/system/InputSettings.h"
#include "shell/cursors/CNativeCursor.h"

#include <algorithm>
#include <cstdint>

namespace {
LMouse* gCurrent = nullptr;
}

LMouse::LMouse() : LHandler(nullptr), prevClickTime(LTicks::Now()), clickStamp(prevClickTime)
{
    gCurrent = this;
}

LMouse::~LMouse()
{
    if (gCurrent == this)
        gCurrent = nullptr;
    event.Reset();
}

LMouse* LMouse::Current()
{
    return gCurrent;
}

void LMouse::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this)
        pending = 0;
    LHandler::HandleMessage(result, msg);
}

bool LMouse::IsDoubleClick(uint32_t& cookie)
{
    bool isDouble = false;
    if (cookie == clickStamp)
        isDouble = LTicks::Diff(clickTime, prevClickTime) < int64_t(plat::DoubleClickIntervalMs());
    clickStamp = clickTime;
    cookie = clickTime;
    return isDouble;
}

void LMouse::SetWheelSample(const CLPoint& where, int32_t dx, int32_t dy, uint32_t modifierFlags)
{
    location = where;
    wheelDx = dx;
    wheelDy = dy;
    modifiers = modifierFlags;
}

void LMouse::RecordClick(const CLPoint& where, uint32_t timeMs)
{
    prevClickTime = clickTime;
    prevClickLocation = clickLocation;
    clickTime = timeMs;
    clickLocation = where;
}

int32_t LMouse::TakeWheelSteps(int32_t delta, int32_t& carry, int32_t limit, int32_t step)
{
    if (delta == 0)
        return 0;
    const int64_t units = step < 2 ? 1 : step;
    const int64_t total = int64_t(delta) + carry;
    int64_t steps = total / units;
    carry = static_cast<int32_t>(total - steps * units);
    if (limit >= 1)
        steps = std::clamp<int64_t>(steps, -int64_t(limit), limit);
    return static_cast<int32_t>(std::clamp<int64_t>(steps, INT32_MIN, INT32_MAX));
}

void LMouse::SetCursor(int32_t shape)
{
    plat::CursorShape standard = plat::CursorShape::Arrow;
    if (shape == 2)
        standard = plat::CursorShape::IBeam;
    else if (shape == 3)
        standard = plat::CursorShape::Crosshair;
    plat::Cursor::WithShape(standard)->Set();
}

void LMouse::SetCursorObject(CNativeCursor* cursor)
{
    if (!cursor) {
        plat::Cursor::WithShape(plat::CursorShape::Arrow)->Set();
        return;
    }
    cursor->Set();
}
