#include "controls/panels/CEmbeddedViewPane.h"
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
