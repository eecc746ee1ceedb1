#include "shell/windows/LDrop.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "platform/cursors/Cursor.h"
#include "platform/window/Pasteboard.h"
#include "shell/cursors/CNativeCursor.h"
#include "shell/draw/CDrawContext.h"
#include "platform/window/Window.h"
#include "platform/window/WindowDelegate.h"
#include "shell/windows/MWindowDelegate.h"
#include "shell/windows/ScreenCoords.h"
#include "ui/panes/LPane.h"
#include "ui/windows/LWindow.h"

const char* LDrop::msgEnterWin = "LDrop_EnterWin";
const char* LDrop::msgSense = "LDrop_Sense";
const char* LDrop::msgEnter = "LDrop_Enter";
const char* LDrop::msgDrag = "LDrop_Drag";
const char* LDrop::msgLeave = "LDrop_Leave";
const char* LDrop::msgDrop = "LDrop_Drop";

namespace {

// Clears the stored dragging info when a callback ends, so nothing reads it afterwards.
class InfoScope {
public:
    explicit InfoScope(const plat::DraggingInfo*& slot) : fSlot(slot) {}
    ~InfoScope() { fSlot = nullptr; }
    InfoScope(const InfoScope&) = delete;
    InfoScope& operator=(const InfoScope&) = delete;

private:
    const plat::DraggingInfo*& fSlot;
};

// The copy-with-plus cursor, loaded once from the application's resources.
CNativeCursor* PlusCursor()
{
    static const LRef cursor(new CNativeCursor(LResRef{0, "kPlusCursor"}, nullptr));
    return static_cast<CNativeCursor*>(cursor.Get());
}

MWindowDelegate* DelegateOf(plat::Window* window)
{
    return window ? dynamic_cast<MWindowDelegate*>(window->Delegate()) : nullptr;
}

} // namespace

LDrop::LDrop(plat::Window* window) : LHandler(nullptr), fWindow(window) {}

void LDrop::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgEnterWin)) {
        fAccepting = true;
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == this && (StrEqual(msg.type, msgSense) || StrEqual(msg.type, msgEnter))) {
        LHandler* former = fPane;
        fPane = nullptr;
        fAcceptKind = kRefuse;
        ShowCursor(DropCursor::Arrow);
        LMessage::Make(result, msgLeave, this, former);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

void LDrop::Register()
{
    if (++fCount != 1 || !fWindow)
        return;
    fWindow->RegisterForDraggedTypes({plat::Pasteboard::kTypeData});
    if (MWindowDelegate* delegate = DelegateOf(fWindow))
        delegate->RegisterDrop(this);
}

bool LDrop::Unregister()
{
    if (fCount > 0)
        --fCount;
    if (fCount == 0 && fWindow) {
        if (MWindowDelegate* delegate = DelegateOf(fWindow))
            delegate->RegisterDrop(nullptr);
        fWindow->UnregisterDraggedTypes();
    }
    return fCount != 0;
}

void LDrop::SetAccept(int32_t kind)
{
    fAcceptKind = kind;
    switch (kind) {
    case kAsSource: ShowCursor(IsCopyOnly() ? DropCursor::DragCopy : DropCursor::Arrow); break;
    case kCopy: ShowCursor(DropCursor::DragCopy); break;
    case kCopyPlus: ShowCursor(DropCursor::Plus); break;
    case kLink: ShowCursor(DropCursor::DragLink); break;
    default: ShowCursor(DropCursor::Arrow); break;
    }
}

void LDrop::ShowCursor(DropCursor cursor)
{
    fCursor = cursor;
    switch (cursor) {
    case DropCursor::DragCopy: plat::Cursor::WithShape(plat::CursorShape::DragCopy)->Set(); return;
    case DropCursor::DragLink: plat::Cursor::WithShape(plat::CursorShape::DragLink)->Set(); return;
    case DropCursor::Plus:
        if (CNativeCursor* plus = PlusCursor(); plus->IsLoaded()) {
            plus->Set();
            return;
        }
        break;
    case DropCursor::Arrow: break;
    }
    plat::Cursor::WithShape(plat::CursorShape::Arrow)->Set();
}

void LDrop::EnterPane(LHandler* pane)
{
    if (pane != fPane) {
        LeavePane(fPane);
        fPane = pane;
        LMessage::Send(LMessage(msgEnter, this, pane));
    }
    LMessage::Send(LMessage(msgDrag, this, pane));
}

void LDrop::LeavePane(LHandler* pane)
{
    if (!pane || pane != fPane)
        return;
    fPane = nullptr;
    LMessage::Send(LMessage(msgLeave, this, pane));
}

void LDrop::ForgetPane(const LHandler* pane)
{
    if (pane && pane == fPane)
        fPane = nullptr;
}

bool LDrop::IsShiftDown() const
{
    const LMouse* mouse = LMouse::Current();
    return mouse && (mouse->modifiers & 0x20000);
}

uint32_t LDrop::Operation() const
{
    switch (fAcceptKind) {
    case kAsSource: return fSourceMask;
    case kMove: return plat::kDragMove;
    case kCopy:
    case kCopyPlus: return plat::kDragCopy;
    case kLink: return plat::kDragLink;
    default: return plat::kDragNone;
    }
}

void LDrop::Update(const plat::DraggingInfo& info)
{
    fInfo = &info;
    fPasteboard.SetPasteboard(info.pasteboard);
    plat::Point where = info.location;
    if (info.destination)
        where = info.destination->ConvertBaseToScreen(where);
    fDragPoint = NSPointToPoint(where, GetMainScreenHeight());
    fSourceMask = info.sourceMask;
    fAcceptKind = kRefuse;
}

LHandler* LDrop::PaneUnderDragPoint() const
{
    const LWindow* window = LWindow::FindByNative(fWindow);
    auto* frame = window ? dynamic_cast<LPane*>(window->GetOwner()) : nullptr;
    if (!frame)
        return nullptr;
    const CDrawContext port = CDrawContext::Measure(fWindow);
    return frame->HitTest(port.GlobalToLocal(fDragPoint));
}

void LDrop::Sense()
{
    LHandler* pane = PaneUnderDragPoint();
    LMessage::Send(LMessage(msgSense, this, pane ? pane : this));
}

uint32_t LDrop::DraggingEntered(const plat::DraggingInfo& info)
{
    InfoScope scope(fInfo);
    Update(info);
    fAccepting = false;
    LMessage::Send(LMessage(msgEnterWin, this, LWindow::FindByNative(fWindow)));
    if (fAccepting)
        Sense();
    return Operation();
}

uint32_t LDrop::DraggingUpdated(const plat::DraggingInfo& info)
{
    InfoScope scope(fInfo);
    Update(info);
    if (fAccepting)
        Sense();
    return Operation();
}

void LDrop::DraggingExited(const plat::DraggingInfo& info)
{
    InfoScope scope(fInfo);
    Update(info);
    if (fAccepting)
        LeavePane(fPane);
}

bool LDrop::PrepareForDragOperation(const plat::DraggingInfo& info)
{
    InfoScope scope(fInfo);
    Update(info);
    return fAccepting;
}

bool LDrop::PerformDragOperation(const plat::DraggingInfo& info)
{
    InfoScope scope(fInfo);
    Update(info);
    if (!fAccepting)
        return false;
    LHandler* pane = fPane;
    fPane = nullptr;
    LMessage::Send(LMessage(msgDrop, this, pane));
    return fAcceptKind != kRefuse;
}
