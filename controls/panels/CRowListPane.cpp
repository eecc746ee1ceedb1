#include "controls/panels/CRowListPane.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "ui/panes/LPaneFlags.h"

#include <algorithm>

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseWheel = "LMouse_Wheel";

} // namespace

CRowListPane::CRowListPane(LHandler* parent, LPane* host, int32_t headerHeight)
    : LPane(parent, host), fHeader(headerHeight)
{
    SetState(kEventTakeFocus);
    SetState(kEventFocusOnClick);
}

int32_t CRowListPane::VisibleRows() const
{
    return std::max<int32_t>(1, (int32_t(Rect().Height()) - fHeader) / kRowHeight);
}

CLRect CRowListPane::RowRect(int32_t row) const
{
    const int32_t top = Rect().top + fHeader + (row - fTop) * kRowHeight;
    return CLRect{Rect().left, top, Rect().right, top + kRowHeight};
}

int32_t CRowListPane::RowAt(const CLPoint& point, int32_t count) const
{
    if (!Rect().Contains(point) || point.y < Rect().top + fHeader)
        return -1;
    const int32_t row = fTop + (point.y - Rect().top - fHeader) / kRowHeight;
    return row < count ? row : -1;
}

void CRowListPane::ScrollToRow(int32_t row)
{
    if (row < 0)
        return;
    if (row < fTop)
        fTop = row;
    else if (row >= fTop + VisibleRows())
        fTop = row - VisibleRows() + 1;
}

void CRowListPane::ScrollByWheel(int32_t count)
{
    LMouse* mouse = LMouse::Current();
    if (!mouse)
        return;
    const int32_t steps = mouse->TakeWheelStepsY(VisibleRows(), kRowHeight / 2);
    fTop = std::clamp(fTop - steps, 0, std::max(0, count - VisibleRows()));
    Changed();
}

void CRowListPane::Changed()
{
    Invalidate(LRegion(Rect()), LRegion(Rect()));
}

bool CRowListPane::Takes(const LMessage& msg)
{
    if (StrEqual(msg.type, kMouseWheel)) {
        ScrollByWheel(RowCount());
        return true;
    }
    auto* mouse = dynamic_cast<LMouse*>(msg.subject);
    if (mouse && StrEqual(msg.type, kMouseClick))
        return HandleClick(*mouse);
    return StrEqual(msg.type, LKeyboard::msgDown) && msg.subject == LKeyboard::Current() && HandleKey();
}

void CRowListPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (Takes(msg)) {
        LMessage::Clear(result);
        return;
    }
    LPane::HandleMessage(result, msg);
}
