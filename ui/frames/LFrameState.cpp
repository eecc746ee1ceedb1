#include "ui/frames/LFrame.h"

#include <utility>

// Passes each state event down to the children as they see it, then behaves as a pane.
void LFrame::StateChanged(int32_t event)
{
    switch (event) {
    case kEventHostShow:
        if (OwnsWindow()) {
            InvalidateWindow(LRegion(Rect()));
            PassShown();
            return;   // a window's frame is not a pane of its host
        }
        PassShown();
        break;
    case kEventShow:
        PassShown();
        break;
    case kEventHide:
        if (Flags() & kPaneHostShown)
            BroadcastState(kEventHostHide);
        break;
    case kEventHostHide:
        if (Flags() & kPaneShown)
            BroadcastState(kEventHostHide);
        break;
    case kEventEnable:
    case kEventActivate:
        if (HasFlags(kPaneEnabled | kPaneHostActive))
            BroadcastState(kEventActivate);
        break;
    case kEventDisable:
        if (Flags() & kPaneHostActive)
            BroadcastState(kEventDeactivate);
        break;
    case kEventDeactivate:
        if (Flags() & kPaneEnabled)
            BroadcastState(kEventDeactivate);
        break;
    case kEventMoved:
        BroadcastState(kEventMoved);
        if (OwnsWindow())
            return;
        break;
    case kEventBackground:
        if (!Background())
            BroadcastState(kEventBackground);
        break;
    case kEventFocus:
        PassFocus();
        break;
    case kEventUnfocus:
        if (fFocus)
            fFocus->SetState(kEventUnfocus);
        break;
    case kEventTransparent:
    case kEventNotTransparent:
        if (!(Flags() & kPaneInTransparent))
            BroadcastState(event + 2);
        break;
    case kEventInTransparent:
    case kEventNotInTransparent:
        if (!(Flags() & kPaneTransparent))
            BroadcastState(event);
        break;
    case kEventKeyWindow:
    case kEventNotKeyWindow:
        BroadcastState(event);
        break;
    case kEventPrefsChanged:
        BroadcastState(event);
        RelayoutForPrefs();
        break;
    default:
        break;
    }
    LPane::StateChanged(event);
}

// The frame became visible in its window: its children are shown in their host now, and a
// window's frame gives the focus to its focus pane or the first pane that takes it.
void LFrame::PassShown()
{
    if (!HasFlags(kPaneShown | kPaneHostShown))
        return;
    fNoErase.Clear();
    BroadcastState(kEventHostShow);
    if (OwnsWindow() && (Flags() & kPaneEnabled))
        FocusOnShow();
}

void LFrame::FocusOnShow()
{
    // Placing the focus as the window shows is no pane asking for it (MakeFloatingKey).
    struct Placing {
        bool& flag;
        bool was;
        ~Placing() { flag = was; }
    } placing{fPlacingFocus, std::exchange(fPlacingFocus, true)};
    if (fFocus)
        fFocus->SetState(kEventFocus);
    if (!fFocus || !(fFocus->Flags() & kPaneFocused))
        MoveToFirstFocus();
}

void LFrame::PassFocus()
{
    if (fFocus && fFocus->HasFlags(kPaneShown | kPaneHostShown))
        fFocus->SetState(kEventFocus);
    else
        MoveToFirstFocus();
}

// The first focus goes to the first stop that takes typing (a field or a list); buttons are
// reached by Tab only. With nothing but buttons no pane has the focus.
void LFrame::MoveToFirstFocus()
{
    const auto deepest = [this] {
        LPane* pane = fFocus;
        while (auto* frame = dynamic_cast<LFrame*>(pane)) {
            if (!frame->Focus())
                break;
            pane = frame->Focus();
        }
        return pane;
    };
    MoveFocus(LFocusDir::Forward);
    const LPane* first = deepest();
    for (uint32_t step = 0; step < kMaxFirstFocusSteps; ++step) {
        const LPane* now = deepest();
        if (!now || !(now->Flags() & kPaneTabOnly))
            return;
        MoveFocus(LFocusDir::Forward);
        if (deepest() == first)
            break;
    }
    SetFocus(nullptr);
}

void LFrame::RelayoutForPrefs()
{
    if (!OwnsWindow() || IsResizableWindow())
        Relayout();
    else
        FitWindowToLayout();
}
