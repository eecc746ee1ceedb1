#pragma once
#include "platform/window/View.h"
#include "ui/frames/LFrame.h"

class CEmbeddedViewPane;

// The window-system view that hosts a frame of panes inside a panel: it draws nothing itself
// (the panes' native controls are its subviews) and tells its owner when it joined a window.
class MEmbeddedView : public plat::View {
public:
    static plat::Ref<MEmbeddedView> Make(CEmbeddedViewPane* owner);

    CEmbeddedViewPane* Owner() const { return mOwner; }
    // The view was put into a window: the owner hears that its parent shows and its context is
    // active.
    void DidMoveToWindow();
    void DrawRect(const plat::Rect& dirty) override;

private:
    explicit MEmbeddedView(CEmbeddedViewPane* owner);

    CEmbeddedViewPane* mOwner;
};

// A frame of panes that lives in a view of someone else's window (a panel's accessory area)
// instead of a window of its own: its children place their native views inside the embedded
// view, at the pane's own origin.
class CEmbeddedViewPane : public LFrame {
public:
    explicit CEmbeddedViewPane(LHandler* parent);
    ~CEmbeddedViewPane() override;

    MEmbeddedView* EmbeddedView() const { return fView.Get(); }

    void GetContext(LPaneContext& context) const override;
    void RectChanged(const CLRect& old) override;

private:
    plat::Ref<MEmbeddedView> fView;
};
