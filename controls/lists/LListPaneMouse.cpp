// Pointer handling and drawing of the list pane.
#include "controls/lists/LListPane.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "foundation/text/KeyRepeat.h"
#include "platform/system/InputSettings.h"
#include "ui/LTimer.h"
#include "ui/draw/LPortState.h"

#include <algorithm>

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseMove = "LMouse_Move";
constexpr const char* kMouseRelease = "LMouse_Release";

int32_t StepToward(int32_t value, int32_t first, int32_t end)
{
    if (value < first)
        return -1;
    return value >= end ? 1 : 0;
}

} // namespace

CLPoint LListPane::PointerPos() const
{
    return MouseInPane(*this);
}

void LListPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject && msg.subject == fAutoScroll.get() && StrEqual(msg.type, LTimer::msgExpire)) {
        AutoScrollStep();
        LMessage::Clear(result);
        return;
    }
    if (msg.subject && msg.subject == LMouse::Current()) {
        if (StrEqual(msg.type, kMouseClick)) {
            ClickCell(result);
            return;
        }
        if (StrEqual(msg.type, kMouseMove)) {
            TrackPointer();
            LMessage::Clear(result);
            return;
        }
        if (StrEqual(msg.type, kMouseRelease)) {
            StopAutoScroll();
            LMessage::Clear(result);
            return;
        }
    }
    LPane::HandleMessage(result, msg);
}

void LListPane::ClickCell(LMessage& result)
{
    const LMouse* mouse = LMouse::Current();
    fClicked = CellAt(PointerPos());
    ApplySelection(fSelModel.Begin(fSelection, fClicked, mouse->IsShift(), mouse->IsCommand()));
    Report(msgReqFocus);
    Report(msgReqCapture);
    LMessage::Make(result, msgClicked, this, Parent());
}

CLPoint LListPane::AutoScrollDelta(const CLPoint& pointer) const
{
    const CLRect& r = Rect();
    return ClampScrollDelta({StepToward(pointer.x, r.left, r.right), StepToward(pointer.y, r.top, r.bottom)});
}

CLPoint LListPane::LimitToShown(const CLPoint& cell) const
{
    const CLRect shown = ShownCells();
    // An empty pane shows no cell: the origin is the nearest there is.
    return {std::max(shown.left, std::min(cell.x, shown.right - 1)),
            std::max(shown.top, std::min(cell.y, shown.bottom - 1))};
}

void LListPane::DragTo(const CLPoint& pointer)
{
    ApplySelection(fSelModel.Track(fSelection, LimitToShown(CellAt(pointer))));
}

void LListPane::TrackPointer()
{
    const CLPoint pointer = PointerPos();
    const CLPoint delta = AutoScrollDelta(pointer);
    if (delta != CLPoint{}) {
        if (!fAutoScroll) {
            ScrollTo({fOrigin.x + delta.x, fOrigin.y + delta.y});
            fAutoScroll = std::make_unique<LTimer>(this);
            fAutoScroll->Start(uint32_t(KeyRepeatDelay(plat::KeyRepeatDelayTicks())));
        }
    } else {
        StopAutoScroll();
    }
    DragTo(pointer);
}

void LListPane::AutoScrollStep()
{
    fAutoScroll->Start(uint32_t(KeyRepeatInterval(plat::KeyRepeatIntervalTicks())));
    const CLPoint pointer = PointerPos();
    const CLPoint delta = AutoScrollDelta(pointer);
    if (delta == CLPoint{})
        return;
    ScrollTo({fOrigin.x + delta.x, fOrigin.y + delta.y});
    DragTo(pointer);
}

void LListPane::StopAutoScroll()
{
    fAutoScroll.reset();
}

void LListPane::DrawSelf(LPortState& port) const
{
    LClipScope clip(port.PushClip(LRegion(Rect())));
    const LRegion area = port.Clip();
    if (area.IsEmpty())
        return;
    const CLRect bounds = area.GetBounds();
    const CLRect& r = Rect();
    const int32_t firstColumn = fOrigin.x + (bounds.left - r.left) / fCellWidth;
    CLPoint cell{firstColumn, fOrigin.y + (bounds.top - r.top) / fCellHeight};
    for (CLRect row = CellRect(cell); row.top < bounds.bottom; row = CellRect({firstColumn, ++cell.y})) {
        cell.x = firstColumn;
        for (CLRect rect = row; rect.left < bounds.right; rect = CellRect({++cell.x, cell.y})) {
            if (area.Intersects(rect))
                DrawCell(port, cell, rect);
        }
    }
}
