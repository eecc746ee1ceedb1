#include "platform/controls/ControlView.h"

#include "platform/controls/KeyCommand.h"
#include "platform/controls/PopUpButton.h"
#include "platform/controls/PopUpListWindow.h"
#include "platform/draw/Canvas.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace plat {
namespace {

constexpr uint64_t kPressMask = EventMask(EventType::LeftMouseDragged) | EventMask(EventType::LeftMouseUp)
    | EventMask(EventType::MouseMoved);
constexpr uint64_t kOpenListMask = EventMask(EventType::LeftMouseDown) | EventMask(EventType::LeftMouseUp)
    | EventMask(EventType::RightMouseDown) | EventMask(EventType::LeftMouseDragged)
    | EventMask(EventType::MouseMoved) | EventMask(EventType::KeyDown) | EventMask(EventType::ScrollWheel);
// A wait for input ends this often, so that the loop looks again even when a wake-up is missed.
constexpr uint64_t kWaitMs = 250;
constexpr uint32_t kUpArrow = 0xF700, kDownArrow = 0xF701, kPageUp = 0xF72C, kPageDown = 0xF72D;
constexpr uint32_t kHome = 0xF729, kEnd = 0xF72B;
constexpr uint32_t kEnter = 3, kReturn = 13, kEscape = 27, kSpace = 32;

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
    const Window* window = GetWindow();
    if (!window)
        return event.locationInWindow;
    // Through the screen: while the pointer is over the open list, another window may report it.
    const Point screen = WindowServer::Shared().ScreenLocation(event);
    return ConvertFromWindow(window->ConvertScreenToBase(screen));
}

void ControlView::Changed()
{
    SetNeedsDisplay();
    SyncPopUpList();
}

void ControlView::MouseDown(const Event& event)
{
    Ref<View> keepAlive(this);
    SyncSize();
    fControl->MouseDown(Local(event));
    Changed();
    TrackPress();
    if (auto* popup = dynamic_cast<PopUpButton*>(fControl.get()); popup && popup->IsMenuOpen())
        TrackOpenList(*popup);
}

void ControlView::OpenListFromKeyboard()
{
    auto* popup = dynamic_cast<PopUpButton*>(fControl.get());
    if (!popup || !popup->IsEnabled() || popup->IsMenuOpen())
        return;
    Ref<View> keepAlive(this);
    SyncSize();
    popup->OpenMenu();
    Changed();
    TrackOpenList(*popup);
}

void ControlView::TrackPress()
{
    EventQueue& queue = EventQueue::Shared();
    while (fControl->IsTracking()) {
        if (!GetWindow()) {
            fControl->CancelTracking();
            break;
        }
        Ref<Event> next = queue.NextMatching(kPressMask, kWaitMs, kModeEventTracking, true);
        if (!next)
            continue;
        if (next->type == EventType::LeftMouseUp) {
            MouseUp(*next);
        } else if (next->type == EventType::LeftMouseDragged) {
            MouseDragged(*next);
        } else {
            fControl->CancelTracking(); // no button held: the release was lost
            Changed();
        }
    }
}

void ControlView::TrackOpenList(PopUpButton& popup)
{
    EventQueue& queue = EventQueue::Shared();
    bool pressedInList = false;
    // Where the pointer rests as the list opens: a list that appears under it (opened from the
    // keyboard) follows the pointer only once it moves, not on the moves the new window reports.
    std::optional<Point> resting = WindowServer::Shared().PointerLocation();
    while (popup.IsMenuOpen()) {
        if (!GetWindow()) {
            popup.CloseMenu();
            break;
        }
        Ref<Event> next = queue.NextMatching(kOpenListMask, kWaitMs, kModeEventTracking, true);
        if (!next)
            continue;
        const Point where = Local(*next);
        switch (next->type) {
        case EventType::LeftMouseDown:
        case EventType::RightMouseDown:
            pressedInList = Contains(popup.MenuVisibleRect(), where);
            if (pressedInList)
                popup.HighlightAt(where);
            else
                popup.CloseMenu(); // a click outside closes the list and goes no further
            break;
        case EventType::LeftMouseDragged:
        case EventType::MouseMoved: {
            const Point screen = WindowServer::Shared().ScreenLocation(*next);
            if (resting && std::abs(resting->x - screen.x) < 0.5 && std::abs(resting->y - screen.y) < 0.5)
                break;
            resting.reset();
            popup.HighlightAt(where);
            break;
        }
        case EventType::LeftMouseUp:
            if (pressedInList)
                popup.Choose(popup.RowAt(where));
            pressedInList = false;
            break;
        case EventType::KeyDown: ListKey(popup, *next); break;
        case EventType::ScrollWheel:
            // A list longer than the screen scrolls; a shorter one moves the highlight a row a notch.
            if (popup.MenuScrolls())
                popup.ScrollMenu(-next->deltaY * popup.RowHeight());
            else if (next->deltaY != 0)
                popup.MoveHighlight(next->deltaY > 0 ? -1 : 1);
            break;
        default: break;
        }
        Changed();
    }
}

void ControlView::ListKey(PopUpButton& popup, const Event& event)
{
    const int page = std::max(1, static_cast<int>(popup.MenuVisibleRect().height / popup.RowHeight()) - 1);
    switch (const uint32_t key = FirstCharacter(event.charactersIgnoringModifiers)) {
    case kUpArrow: popup.MoveHighlight(-1); break;
    case kDownArrow: popup.MoveHighlight(1); break;
    case kPageUp: popup.MoveHighlight(-page); break;
    case kPageDown: popup.MoveHighlight(page); break;
    case kHome: popup.MoveHighlight(-popup.ItemCount()); break;
    case kEnd: popup.MoveHighlight(popup.ItemCount()); break;
    case kReturn:
    case kEnter:
    case kSpace: popup.Choose(popup.HighlightedRow()); break;
    case kEscape: popup.CloseMenu(); break;
    default:
        if (key > kSpace && key < 0xF700 && key != 127)
            popup.TypeSelect(event.characters.empty() ? event.charactersIgnoringModifiers : event.characters);
        break;
    }
}

void ControlView::MouseDragged(const Event& event)
{
    fControl->MouseDragged(Local(event));
    Changed();
}

void ControlView::MouseUp(const Event& event)
{
    fControl->MouseUp(Local(event));
    Changed();
}

Window* ControlView::ShownPopUpList() const
{
    return fPopUpList ? fPopUpList->Shown() : nullptr;
}

void ControlView::SyncPopUpList()
{
    auto* button = dynamic_cast<PopUpButton*>(fControl.get());
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
