#include "shell/windows/MWindowView.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/Clock.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "shell/windows/MWindowDelegate.h"
#include "shell/windows/TranslateKeyEvent.h"
#include "shell/windows/WindowEventHooks.h"
#include "ui/panes/LPane.h"
#include "ui/windows/LWindow.h"

namespace {

double gContextTimestamp = 0.0;
const char* kMouseMove = "LMouse_Move";
const char* kMouseRelease = "LMouse_Release";

void UpdateMouse(const plat::Event& event)
{
    if (LMouse* mouse = LMouse::Current())
        mouse->UpdateFromEvent(event);
}

bool MouseHandled()
{
    const LMouse* mouse = LMouse::Current();
    return mouse && mouse->pending;
}

// The newest drag to act on: the current event when a press waits behind it (so the press is
// not lost), else the last of the drags waiting in the queue.
plat::Ref<plat::Event> CoalescedDrag(const plat::Event& current)
{
    plat::EventQueue& queue = plat::EventQueue::Shared();
    const uint64_t pressMask = plat::EventMask(plat::EventType::LeftMouseDown);
    const uint64_t dragMask = plat::EventMask(plat::EventType::LeftMouseDragged);
    plat::Ref<plat::Event> newest(const_cast<plat::Event*>(&current));
    if (queue.NextMatching(pressMask, 0, plat::kModeDefault, false))
        return newest;
    while (plat::Ref<plat::Event> drag = queue.NextMatching(dragMask, 0, plat::kModeDefault, true))
        newest = drag;
    return newest;
}

} // namespace

double MWindowView::ContextMenuTimestamp()
{
    return gContextTimestamp;
}

void MWindowView::ResetContextMenuTimestamp()
{
    gContextTimestamp = 0.0;
}

LWindow* MWindowView::Owner() const
{
    return LWindow::FindByNative(GetWindow());
}

void MWindowView::SendWindowMessage(const char* type)
{
    if (LWindow* owner = Owner())
        LMessage::Send(LMessage(type, owner, owner->GetOwner()));
}

LHandler* MWindowView::KeyRecipient() const
{
    LWindow* owner = Owner();
    if (!owner)
        return nullptr;
    if (auto* frame = dynamic_cast<LPane*>(owner->GetOwner()))
        return frame->FocusTarget();
    return owner->GetOwner(); // a plain handler owns the window: it takes the keys itself
}

plat::View* MWindowView::HitTest(const plat::Point& p)
{
    return plat::Contains(Frame(), p) ? this : nullptr;
}

void MWindowView::DrawRect(const plat::Rect&)
{
    SendWindowMessage(LWindow::msgUpdate);
}

bool MWindowView::AcceptsFirstMouse(const plat::Event*)
{
    const plat::Window* window = GetWindow();
    if (!window)
        return false;
    if (window->Level() == 3)
        return true;
    const auto* delegate = dynamic_cast<const MWindowDelegate*>(window->Delegate());
    if (!delegate || !delegate->LastMain())
        return false;
    return plat::NowMs() - *delegate->LastMain() > MWindowDelegate::kFirstMouseDelayMs;
}

bool MWindowView::ShouldDelayWindowOrdering(const plat::Event& event)
{
    UpdateMouse(event);
    SendWindowMessage(LWindow::msgBkgnd);
    return MouseHandled();
}

bool MWindowView::MenuForEvent(const plat::Event& event)
{
    UpdateMouse(event);
    SendWindowMessage(LWindow::msgContext);
    if (MouseHandled())
        gContextTimestamp = event.timestamp;
    return false;
}

void MWindowView::MouseDown(const plat::Event& event)
{
    if (event.timestamp == gContextTimestamp || mMouseDown)
        return;
    plat::Ref<View> keep(this);
    mMouseDown = true;
    UpdateMouse(event);
    SendWindowMessage(LWindow::msgClick);
    mMouseDown = false;
}

void MWindowView::MouseDragged(const plat::Event& event)
{
    plat::Ref<plat::Event> newest = CoalescedDrag(event);
    UpdateMouse(*newest);
    WindowEventHooks::DispatchCursor();
    if (LMouse* mouse = LMouse::Current(); mouse && mouse->Capture())
        LMessage::Send(LMessage(kMouseMove, mouse, mouse->Capture()));
}

void MWindowView::MouseUp(const plat::Event&)
{
    LMouse* mouse = LMouse::Current();
    if (!mouse)
        return;
    LHandler* captured = mouse->Capture();
    mouse->SetCapture(nullptr);
    if (captured)
        LMessage::Send(LMessage(kMouseRelease, mouse, captured));
}

void MWindowView::MouseMoved(const plat::Event& event)
{
    UpdateMouse(event);
    WindowEventHooks::DispatchCursor();
}

void MWindowView::ScrollWheel(const plat::Event& event)
{
    WindowEventHooks::AccumulateWheel(event);
}

void MWindowView::FlagsChanged(const plat::Event& event)
{
    if (LMouse* mouse = LMouse::Current())
        mouse->modifiers = event.modifierFlags;
    WindowEventHooks::DispatchCursor();
    View::FlagsChanged(event);
}

void MWindowView::KeyDown(const plat::Event& event)
{
    LKeyboard* keyboard = LKeyboard::Current();
    if (mKeyEv != 0 || !keyboard)
        return;
    plat::Ref<View> keep(this);
    mKeyEv = 1;
    LHandler* recipient = KeyRecipient();
    TranslateKeyEvent(*keyboard, event);
    keyboard->DeliverKeyDown(recipient);
    --mKeyEv;
}

void MWindowView::KeyUp(const plat::Event& event)
{
    LKeyboard* keyboard = LKeyboard::Current();
    const plat::Window* window = GetWindow();
    if (!keyboard || !window || !window->Delegate())
        return;
    TranslateKeyEvent(*keyboard, event);
    keyboard->DeliverKeyUp(KeyRecipient());
}

void MWindowView::DoCommandBySelector()
{
    plat::Ref<plat::Event> current = plat::EventQueue::Shared().Current();
    if (mKeyEv == 0 && current && current->type == plat::EventType::KeyDown)
        KeyDown(*current);
}
