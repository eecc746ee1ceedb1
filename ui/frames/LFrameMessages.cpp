#include "ui/frames/LFrame.h"
#include "ui/menus/LMenuItem.h"
#include "ui/menus/LMenuBar.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "ui/LMenuBar.h"
#include "ui/LMenuItem.h"
#include "ui/panes/LPaneContext.h"

namespace {

constexpr const char* kCloseCommand = "LStdCmd_Close";
constexpr const char* kPlacerGrow = "LWindowPlacer_Grow";
constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseCursor = "LMouse_Cursor";
constexpr const char* kViewPrefsChanged = "CViewPrefs_Changed";

constexpr uint32_t kTabKey = 9;
// The control key's modifier bit: Tab with control held is left to the focused pane.
constexpr uint32_t kControlFlag = 0x40000;

} // namespace

void LFrame::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LMenuBar::msgReady) && IsClosableWindow() && msg.subject)
        static_cast<LMenuBar*>(msg.subject)->EnableCommand(kCloseCommand, LStringRef());
    if (StrEqual(msg.type, LMenuItem::msgSelected) && IsClosableWindow() && msg.subject &&
        static_cast<LMenuItem*>(msg.subject)->HasCommand(kCloseCommand)) {
        LMessage::Make(result, msgClose, this, Parent());
        return;
    }
    const bool handled = msg.subject && msg.subject == WindowHandler() ? HandleWindowMessage(result, msg)
                                                                      : HandlePaneMessage(result, msg);
    if (!handled)
        PassOn(result, msg);
}

// The default for what the frame does not take: a floating window's own frame hands it to the
// front document window's frame; every other frame passes it to its parent.
void LFrame::PassOn(LMessage& result, const LMessage& msg)
{
    if (LHandler* front = FloatingPassTarget()) {
        LMessage::Redirect(result, msg, front);
        return;
    }
    LPane::HandleMessage(result, msg);
}

bool LFrame::HandlePaneMessage(LMessage& result, const LMessage& msg)
{
    const char* type = msg.type;
    if (StrEqual(type, msgPref)) {
        if (msg.subject == this) {
            Consume(result);
        } else if (!HasLayout()) {
            if (!Host())
                return false;
            LMessage::Redirect(result, msg, Host());
        } else {
            if (Host())
                LMessage::Send(LMessage(msg.type, msg.subject, Host()));
            LMessage::Make(result, msgDefer, this, Parent());
        }
        return true;
    }
    if (StrEqual(type, msgUpdateNow)) {
        if (!OwnsWindow())
            return false;
        UpdateWindowNow();
        Consume(result);
        return true;
    }
    if (StrEqual(type, msgUnfocus)) {
        if (msg.subject && msg.subject == static_cast<LHandler*>(fFocus))
            fFocus = nullptr;
        return false;
    }
    if (StrEqual(type, LPane::msgConstructing)) {
        PaneConstructing(result, dynamic_cast<LPane*>(msg.subject));
        return true;
    }
    if (StrEqual(type, LPane::msgDestructing)) {
        LPane* pane = dynamic_cast<LPane*>(msg.subject);
        if (pane) {
            if (MousePane() == pane)
                SetMousePane(nullptr);
            if (fFocus == pane)
                fFocus = nullptr;
            fChildren.Remove(pane);
        }
        return false;
    }
    if (StrEqual(type, LFrame::msgConstructing)) {
        LFrame* frame = dynamic_cast<LFrame*>(msg.subject);
        if (frame && frame->OwnsWindow() && !frame->IsLinked())
            fChildWindows.PushBack(frame);
        Consume(result);
        return true;
    }
    if (StrEqual(type, LFrame::msgDestructing)) {
        if (LFrame* frame = dynamic_cast<LFrame*>(msg.subject))
            fChildWindows.Remove(frame);
        return false;
    }
    if (StrEqual(type, msgReqFocus)) {
        PaneReqFocus(result, msg);
        return true;
    }
    if (StrEqual(type, kPlacerGrow)) {
        if (!OwnsWindow())
            return false;
        PlacerGrow(msg.subject);
        Consume(result);
        return true;
    }
    if (StrEqual(type, LKeyboard::msgDown))
        return KeyDown(result, msg);
    if (StrEqual(type, kMouseClick) || StrEqual(type, kMouseCursor)) {
        if (!OwnsWindow())
            return false;
        if (StrEqual(type, kMouseClick))
            SetFocus(nullptr);
        else
            SetArrowCursor();
        Consume(result);
        return true;
    }
    return HandleFrameMessage(result, msg);
}

// The frame's own messages: view preferences, closing and the deferred pass.
bool LFrame::HandleFrameMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, kViewPrefsChanged)) {
        if (msg.subject == this)
            return false;
        SetState(kEventPrefsChanged);
        Consume(result);
        return true;
    }
    if (StrEqual(msg.type, msgClose) && msg.subject == this) {
        HideWindow();
        Consume(result);
        return true;
    }
    if (StrEqual(msg.type, msgDeferred) && msg.subject == this) {
        if (!OwnsWindow() && Host() &&
            (Rect().Width() < PrefWidth(nullptr, 0) || Rect().Height() < PrefHeight(nullptr, 0))) {
            LMessage::Make(result, msgPref, this, Host());
            return true;
        }
        Relayout();
        return false;
    }
    return false;
}

void LFrame::PaneConstructing(LMessage& result, LPane* pane)
{
    if (pane && pane->Host() == this && !pane->IsLinked()) {
        fChildren.PushBack(pane);
        if (HasFlags(kPaneEnabled | kPaneHostActive))
            pane->SetState(kEventActivate);
        if (HasFlags(kPaneShown | kPaneHostShown))
            pane->SetState(kEventHostShow);
        if (Flags() & kPaneKeyWindow)
            pane->SetState(kEventKeyWindow);
        if (Flags() & (kPaneTransparent | kPaneInTransparent))
            pane->SetState(kEventInTransparent);
    }
    if (HasLayout())
        LMessage::Make(result, msgDefer, this, Parent());
    else
        Consume(result);
}

void LFrame::PaneReqFocus(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this) {
        Consume(result);
        return;
    }
    LPane* pane = dynamic_cast<LPane*>(msg.subject);
    if (!pane || pane->GetNativeWindow() != GetNativeWindow()) {
        LMessage::Redirect(result, msg, Parent());
        return;
    }
    SetFocus(pane);
    MakeFloatingKey();
    LPane::HandleMessage(result, msg);   // recomputes this frame's own focus ring
    LMessage::Make(result, msgReqFocus, this, Parent());
}

bool LFrame::KeyDown(LMessage& result, const LMessage& msg)
{
    const LKeyboard* keyboard = dynamic_cast<const LKeyboard*>(msg.subject);
    if (!keyboard || keyboard->character != kTabKey || (keyboard->modifiers & kControlFlag))
        return false;
    const LFocusDir dir = (keyboard->modifiers & LKeyboard::kShiftFlag) ? LFocusDir::Backward : LFocusDir::Forward;
    const bool ranPastEnd = MoveFocus(dir);
    if (ranPastEnd && !OwnsWindow())
        return false;   // the enclosing frame moves on from this frame
    Consume(result);
    return true;
}

LPane* LFrame::PaneUnderMouse()
{
    LPane* hit = HitTest(MouseInFrame());
    return hit ? hit : this;
}

void LFrame::AddressMouse(LMessage& result, const char* type)
{
    LMessage::Make(result, type, LMouse::Current(), PaneUnderMouse());
}
