#include "platform/controls/ControlView.h"

#include "platform/controls/PopUpButton.h"
#include "platform/controls/PopUpListWindow.h"
#include "platform/draw/Canvas.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"

namespace plat {
namespace {

constexpr uint64_t kTrackingMask = EventMask(EventType::LeftMouseDragged) | EventMask(EventType::LeftMouseUp);

} // namespace

ControlView::ControlView(const Rect& frame, std::unique_ptr<Control> control)
    : View(frame), fControl(std::move(control))
{
    SyncSize();
}

ControlView::~ControlView() = default;

void ControlView::SyncSize()
{
    fControl->SetSize(Frame().width, Frame().height);
}

Point ControlView::Local(const Event& event) const
{
    return GetWindow() ? ConvertFromWindow(event.locationInWindow) : event.locationInWindow;
}

void ControlView::MouseDown(const Event& event)
{
    Ref<View> keepAlive(this);
    SyncSize();
    fControl->MouseDown(Local(event));
    SetNeedsDisplay();
    SyncPopUpList();
    TrackQueuedEvents();
}

void ControlView::TrackQueuedEvents()
{
    while (fControl->IsTracking()) {
        Ref<Event> next = EventQueue::Shared().NextMatching(kTrackingMask, 0, 0, true);
        if (!next)
            return;
        if (next->type == EventType::LeftMouseUp)
            MouseUp(*next);
        else
            MouseDragged(*next);
    }
}

void ControlView::MouseDragged(const Event& event)
{
    fControl->MouseDragged(Local(event));
    SetNeedsDisplay();
    SyncPopUpList();
}

void ControlView::MouseUp(const Event& event)
{
    fControl->MouseUp(Local(event));
    SetNeedsDisplay();
    SyncPopUpList();
}

void ControlView::SyncPopUpList()
{
    const auto* button = dynamic_cast<const PopUpButton*>(fControl.get());
    if (!button)
        return;
    if (!fPopUpList)
        fPopUpList = std::make_unique<PopUpListWindow>();
    fPopUpList->Sync(*this, *button);
}

void ControlView::DrawRect(const Rect&)
{
    const CurrentDrawing* drawing = CurrentDrawing::Get();
    if (!drawing || !drawing->canvas)
        return;
    SyncSize();
    drawing->canvas->Save();
    fControl->Draw(*drawing->canvas);
    fControl->DrawFocusRing(*drawing->canvas);
    drawing->canvas->Restore();
}

} // namespace plat
