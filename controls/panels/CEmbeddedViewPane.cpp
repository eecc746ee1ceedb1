#include "controls/panels/CEmbeddedViewPane.h"
#include "foundation/core/StrEqual.h"
#include "ui/panes/LPaneContext.h"
#include "ui/panes/LPaneFlags.h"

plat::Ref<MEmbeddedView> MEmbeddedView::Make(CEmbeddedViewPane* owner)
{
    return plat::Ref<MEmbeddedView>::Adopt(new MEmbeddedView(owner));
}

MEmbeddedView::MEmbeddedView(CEmbeddedViewPane* owner) : plat::View(plat::Rect{0, 0, 1, 1}), mOwner(owner) {}

void MEmbeddedView::DidMoveToWindow()
{
    if (!mOwner || !GetWindow())
        return;
    mOwner->SetState(kEventHostShow);
    mOwner->SetState(kEventActivate);
}

void MEmbeddedView::DrawRect(const plat::Rect&) {}

CEmbeddedViewPane::CEmbeddedViewPane(LHandler* parent) : LFrame(parent, nullptr), fView(MEmbeddedView::Make(this)) {}

CEmbeddedViewPane::~CEmbeddedViewPane()
{
    fView->RemoveFromSuperview();
}

void CEmbeddedViewPane::GetContext(LPaneContext& context) const
{
    context.window = fView->GetWindow();
    context.view = fView.Get();
    context.clip = LRegion(CLRect{0, 0, int32_t(Rect().Width()), int32_t(Rect().Height())});
    context.originX = 0;
    context.originY = 0;
    context.background = Background();
}

void CEmbeddedViewPane::RectChanged(const CLRect& old)
{
    plat::Rect frame = fView->Frame();
    frame.width = double(Rect().Width());
    frame.height = double(Rect().Height());
    fView->SetFrame(frame);
    LFrame::RectChanged(old);
}

CEmbeddedFocusStop::CEmbeddedFocusStop(LFrame* window) : LPane(window, window)
{
    // Like the pop-ups and check boxes an embedded area holds, it is reached by Tab only: a
    // window's first focus passes over it.
    SetFlagBits(kPaneTabOnly, true);
}

CEmbeddedFocusStop::~CEmbeddedFocusStop()
{
    Attach(nullptr);
}

void CEmbeddedFocusStop::Attach(CEmbeddedViewPane* embedded)
{
    if (fEmbedded) {
        fEmbedded->SetState(kEventUnfocus);
        fEmbedded->SetState(kEventNotKeyWindow);
        fEmbedded->SetParent(nullptr);
    }
    fEmbedded = embedded;
    if (!fEmbedded)
        return;
    fEmbedded->SetParent(this);
    if (Flags() & kPaneKeyWindow)
        fEmbedded->SetState(kEventKeyWindow);
}

void CEmbeddedFocusStop::HandleMessage(LMessage& result, const LMessage& msg)
{
    // The embedded frame took the focus: the window's frame gives it to this pane.
    if (fEmbedded && msg.subject == fEmbedded && StrEqual(msg.type, msgReqFocus)) {
        LMessage::Make(result, msgReqFocus, this, Parent());
        return;
    }
    // The embedded panes' own messages go back to their subject, as they did when the frame had
    // no parent (a control hears its own selection that way); what climbs on behalf of others
    // (keys, menus) goes on to the window's frame.
    if (fEmbedded && LHandler::IsOnChain(this, msg.subject, fEmbedded)) {
        LMessage::Redirect(result, msg, msg.subject);
        return;
    }
    LPane::HandleMessage(result, msg);
}

void CEmbeddedFocusStop::StateChanged(int32_t event)
{
    LPane::StateChanged(event);
    switch (event) {
    case kEventFocus:
    case kEventUnfocus:
    case kEventKeyWindow:
    case kEventNotKeyWindow:
        if (fEmbedded)
            fEmbedded->SetState(event);
        break;
    default:
        break;
    }
}

LPane* CEmbeddedFocusStop::FocusTarget()
{
    if (!LPane::FocusTarget() || !fEmbedded)
        return nullptr;
    LPane* target = fEmbedded->FocusTarget();
    return target != fEmbedded ? target : nullptr;
}

LPane* CEmbeddedFocusStop::HitTest(const CLPoint&)
{
    return nullptr;
}

bool CEmbeddedFocusStop::AdvanceFocus(LFocusDir dir, LFocusRestart restart)
{
    return fEmbedded && fEmbedded->AdvanceFocus(dir, restart);
}
