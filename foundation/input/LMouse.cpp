#include "foundation/input/LMouse.h"
#include "foundation/async/LTicks.h"
#include "platform/cursors/Cursor.h"
#include "platform/system/InputSettings.h"
#include "shell/cursors/CNativeCursor.h"

LMouse::LMouse() : LHandler(nullptr), prevClickTime(LTicks::Now()), clickStamp(prevClickTime) {}

LMouse::~LMouse()
{
    event.Reset();
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
